#pragma once
// Everything the plug-in takes from the host, in one include.

#include "edebug.h"
#include "edvb.h"
#include "emainloop.h"
#include "emath.h"
#include "eskin.h"
#include "estring.h"
#include "ewidget.h"
#include "ewidgets.h"
#include "ewindow.h"
#include "sigc_compat.h"
