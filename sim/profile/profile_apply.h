#pragma once
// Fills the stand-in receiver from a profile.

#include "host/receiver.h"
#include "profile.h"

// Adds the profile's LNBs, satellites and networks to `receiver`, sets its frontend and
// reception types, the service and the tune delay. The receiver should be empty.
void applyProfile(const Profile& profile, StandInReceiver& receiver);
