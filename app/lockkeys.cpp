#include "lockkeys.h"

#include <QGuiApplication>

#ifdef QUELP_HAVE_XKB
#include <X11/XKBlib.h>
#endif

std::optional<LockKeyState> ReadLockKeys()
{
#ifdef QUELP_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    auto named = [display](const char* name) {
        const Atom atom = XInternAtom(display, name, True);
        Bool on = False;
        if (atom != None)
            XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr);
        return on == True;
    };
    return LockKeyState{named("Caps Lock"), named("Num Lock"), named("Scroll Lock")};
#else
    return std::nullopt;
#endif
}
