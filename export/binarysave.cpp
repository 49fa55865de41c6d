#include "binarysave.h"

#include "core/cp932.h"
#include "core/dialogvalues.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "export/binarymap.h"
#include "mapfile/ptnmatch.h"

namespace {

bool HasDot(const std::string& ext)
{
    return ext.find('.') != std::string::npos;
}

}  // namespace

std::string BinarySaveFilter(const std::string& ext)
{
    const std::string pattern = HasDot(ext) ? "*" + ext : "*." + ext;
    return Cp932("バイナリ ファイル (") + pattern + ")|" + pattern + "||";
}

std::string BinarySaveDefaultName(const std::string& mapPath, const std::string& ext)
{
    if (mapPath.empty())
        return {};
    std::string folder, name;
    CPtnMatch::SplitPath(folder, name, mapPath);
    // The title is the file name up to its last "."; "." is ASCII, never a trail byte.
    const std::size_t dot = name.rfind('.');
    const std::string title = dot == std::string::npos ? name : name.substr(0, dot);
    return title + (HasDot(ext) ? "" : ".") + ext;
}

void OnBinarySave(CQuelpDoc& doc)
{
    FileDialogRequest request;
    request.Open = false;
    request.Filter = BinarySaveFilter(doc.BType);
    request.InitialName = BinarySaveDefaultName(doc.PathName, doc.BType);
    const std::optional<std::string> path = doc.Ui().RunFileDialog(request);
    if (!path)
        return;
    std::string error;
    bool written = false;
    {
        CBusyScope busy(doc.Ui());
        written = WriteBinaryMap(*path, doc, &error);
    }
    if (written) {
        doc.Ui().ShowMessageText(QString::fromUtf8("ファイルを保存しました。"),
                                 MessageKind::Information);
    } else {
        // The fixed message, then which file and why, so that the user can act on it.
        doc.Ui().ShowMessageText(QString::fromUtf8("ファイルを保存に失敗しました。\n") +
                                     QString::fromStdString(error),
                                 MessageKind::Warning);
    }
}
