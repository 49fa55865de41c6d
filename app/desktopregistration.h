#pragma once

#include <QString>
#include <QStringList>

/** Where the per-user registration of the map file type goes. */
struct DesktopPaths {
    QString DataHome;    ///< $XDG_DATA_HOME or ~/.local/share
    QString ConfigHome;  ///< $XDG_CONFIG_HOME or ~/.config
    QStringList SystemDataDirs;  ///< $XDG_DATA_DIRS: where an installed package puts its files
    static DesktopPaths FromEnvironment();
};

/** Registers "*.mpx" (application/x-quelp-map, "Quelp.Document") and this program as its opener
 *  for the current user: MIME package, .desktop entry, icon and default-application entry.
 *  Writes only files whose content changed, refreshes the MIME cache only then, never needs
 *  root and never reports anything. Returns whether anything was written or removed.
 *  When a system data folder already holds the installed entry and MIME package, nothing is
 *  registered, and per-user files of an earlier registration are removed: they would shadow the
 *  installed entry with a program that may no longer exist. */
bool RegisterDesktopIntegration(const DesktopPaths& paths, const QString& executable);
