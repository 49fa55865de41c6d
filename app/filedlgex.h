#pragma once

#include <QFileDialog>
#include <QString>
#include <vector>

/** One type of a file dialog's filter: its description and its pattern. */
struct FileFilterEntry {
    QString Description;
    QString Pattern;
};

/** Splits a filter "Description|pattern|...|" (closed by "|" or "||") into its pairs. */
std::vector<FileFilterEntry> ParseFileFilter(const QString& filter);

/** The file dialog of the program's own commands: a default extension that follows the type
 *  chosen in the type list, so a bare name typed with "*.jpg" chosen gets ".jpg". */
class CFileDlgEx : public QFileDialog {
public:
    /** open: an open dialog for existing files, else a save dialog asking before overwriting.
     *  defaultExt: without the dot (empty for none); it is replaced as soon as a type is
     *  selected, at opening too. filter: "Description|pattern|...|". */
    CFileDlgEx(bool open, const QString& defaultExt, const QString& initialName,
               const QString& filter, QWidget* parent = nullptr);

    /** The chosen full path after OK. */
    QString PathName() const;
    /** The default extension now in force (without the dot). */
    QString DefaultExt() const { return defaultSuffix(); }
    /** Selects a type of the list by its position from 0, as the user would. */
    void SelectType(int index);

private:
    void OnTypeChange(const QString& nameFilter);

    std::vector<FileFilterEntry> entries_;
    QStringList nameFilters_;
};
