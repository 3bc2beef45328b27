#pragma once
// The signal/slot names the plug-in is written against, provided over libsigc++ 3.
// SigC::Object is the trackable base: a slot made from a member of such an object is
// disconnected when the object is destroyed, so connections end with the window.

#include <sigc++/sigc++.h>

namespace SigC {

using Object = sigc::trackable;
using Connection = sigc::connection;

template <class R>
using Signal0 = sigc::signal<R()>;
template <class R, class A1>
using Signal1 = sigc::signal<R(A1)>;
template <class R, class A1, class A2>
using Signal2 = sigc::signal<R(A1, A2)>;

// SigC::slot(object, &Class::member) and SigC::slot(&object, &Class::member).
template <class T, class Base, class R, class... A>
auto slot(T& object, R (Base::*member)(A...)) {
  return sigc::mem_fun(static_cast<Base&>(object), member);
}
template <class T, class Base, class R, class... A>
auto slot(T* object, R (Base::*member)(A...)) {
  return sigc::mem_fun(static_cast<Base&>(*object), member);
}

}  // namespace SigC

// The host's usual shorthand for connecting a signal to a member of *this.
#define CONNECT(signal, member) (signal).connect(SigC::slot(*this, &member))
