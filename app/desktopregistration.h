#pragma once

#include <QString>

/** Where the per-user registration of the map file type goes. */
struct DesktopPaths {
    QString DataHome;    ///< $XDG_DATA_HOME or ~/.local/share
    QString ConfigHome;  ///< $XDG_CONFIG_HOME or ~/.config
    static DesktopPaths FromEnvironment();
};

/** Registers "*.mpx" (application/x-quelp-map, "Quelp.Document") and this program as its opener
 *  for the current user: MIME package, .desktop entry, icon and default-application entry.
 *  Writes only files whose content changed, refreshes the MIME cache only then, never needs
 *  root and never reports anything. Returns whether anything was written. */
bool RegisterDesktopIntegration(const DesktopPaths& paths, const QString& executable);
