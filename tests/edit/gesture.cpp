#include "editfixture.h"

#include "edit/celledit.h"

bool RunGesture(CQuelpDoc& doc, const Gesture& g)
{
    if (!ButtonPress(doc, g.Button, g.Press.X, g.Press.Y))
        return false;
    for (const IntPoint& p : g.Moves)
        PointerMove(doc, p.X, p.Y);
    ButtonRelease(doc, g.Release.X, g.Release.Y);
    return true;
}
