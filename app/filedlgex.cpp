#include "filedlgex.h"

#include "render/defaultext.h"

namespace {
/** The Qt name filter of an entry: the description, with the pattern in parentheses unless the
 *  description already ends with it. "*.*" is every file here, which Qt spells "*". */
QString NameFilter(const FileFilterEntry& entry)
{
    const QString pattern = entry.Pattern == QStringLiteral("*.*") ? QStringLiteral("*")
                                                                   : entry.Pattern;
    QString description = entry.Description;
    const QString tail = QStringLiteral("(") + entry.Pattern + QStringLiteral(")");
    if (description.endsWith(tail))
        description = description.left(description.size() - tail.size()).trimmed();
    return description + QStringLiteral(" (") + pattern + QStringLiteral(")");
}

QString SuffixFor(const QString& pattern)
{
    const QString ext = QString::fromStdString(DefaultExtFromPattern(pattern.toStdString()));
    // A wildcard left over (the "*.*" entry) names no extension to add.
    if (ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')))
        return QString();
    return ext;
}
}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(const QString& filter)
{
    std::vector<FileFilterEntry> entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        entries.push_back({parts[i], parts[i + 1]});
    }
    return entries;
}

CFileDlgEx::CFileDlgEx(bool open, const QString& defaultExt, const QString& initialName,
                       const QString& filter, QWidget* parent)
    : QFileDialog(parent), entries_(ParseFileFilter(filter))
{
    // Qt's own dialog: it reports type changes and applies the default extension everywhere.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setDefaultSuffix(defaultExt);
    for (const FileFilterEntry& entry : entries_)
        nameFilters_.append(NameFilter(entry));
    if (!nameFilters_.isEmpty())
        setNameFilters(nameFilters_);
    if (!initialName.isEmpty())
        selectFile(initialName);
    connect(this, &QFileDialog::filterSelected, this,
            [this](const QString& nameFilter) { OnTypeChange(nameFilter); });
    if (!nameFilters_.isEmpty())
        OnTypeChange(nameFilters_.first());
}

void CFileDlgEx::SelectType(int index)
{
    if (index < 0 || index >= nameFilters_.size())
        return;
    selectNameFilter(nameFilters_[index]);
    OnTypeChange(nameFilters_[index]);
}

void CFileDlgEx::OnTypeChange(const QString& nameFilter)
{
    const qsizetype index = nameFilters_.indexOf(nameFilter);
    if (index < 0)
        return;
    setDefaultSuffix(SuffixFor(entries_[static_cast<size_t>(index)].Pattern));
}

QString CFileDlgEx::PathName() const
{
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
