#pragma once

/** A view of the document: told what to redraw through the hint bits of UpdateHint. */
class IDocObserver {
public:
    virtual ~IDocObserver() = default;
    /** hint 0 is the initial update after New and Open: refresh everything. */
    virtual void OnUpdate(IDocObserver* sender, int hint) = 0;
};
