#include "commandline.h"

#include "qsettingsstore.h"

#include "core/nulluiport.h"
#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/settingsstore.h"
#include "core/uiport.h"
#include "core/version.h"
#include "export/binarymap.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilereader.h"
#include "render/imageexport.h"
#include "render/mapfont.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kVersion = QUELP_VERSION;

/** The command line asks the user nothing; a message goes to stderr. */
class CHeadlessUiPort : public NullUiPort {
public:
    void ShowMessage(const std::string& text) override
    {
        std::fprintf(stderr, "quelp: %s\n", Cp932ToUtf8(text).c_str());
    }
    IntSize MeasureText(const std::string& text, const std::string& face, int points) override
    {
        // Only a picture export starts the font system; nothing else measures texts.
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return NullUiPort::MeasureText(text, face, points);
        return MeasureMapText(text, face, points);
    }
};

/** The user's settings, read only: the command line leaves them as they were. */
class CReadOnlySettings : public ISettingsStore {
public:
    int ReadInt(const std::string& section, const std::string& key, int fallback) const override
    {
        return store_.ReadInt(section, key, fallback);
    }
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const override
    {
        return store_.ReadString(section, key, fallback);
    }
    void WriteInt(const std::string&, const std::string&, int) override {}
    void WriteString(const std::string&, const std::string&, const std::string&) override {}

private:
    QSettingsStore store_;
};

// A pipeline wants one line per failure: Qt's own notes (no runtime folder, fonts) stay quiet.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "quelp: %s\n", message.toLocal8Bit().constData());
}

int Failure(const std::string& message)
{
    std::fprintf(stderr, "quelp: %s\n", message.c_str());
    return 1;
}

/** A local path as the document holds paths: absolute, CP932. */
std::optional<std::string> DocumentPath(const std::string& local, std::string& error)
{
    const QString absolute = QFileInfo(QString::fromLocal8Bit(local.c_str())).absoluteFilePath();
    const Cp932Result path = Cp932FromLocalPath(absolute.toStdString());
    if (!path.Ok()) {
        error = "\"" + local + "\": the path holds characters a map cannot store";
        return std::nullopt;
    }
    return path.Bytes;
}

int Run(const CommandLineRequest& request)
{
    CReadOnlySettings store;
    ChipWidth = store.ReadInt(kDefaultSection, "ChipWidth", 16);
    ChipHeight = store.ReadInt(kDefaultSection, "ChipHeight", 16);
    CHeadlessUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();

    std::string error;
    const std::optional<std::string> map = DocumentPath(request.Map, error);
    if (!map)
        return Failure(error);
    const std::optional<std::string> output = DocumentPath(request.Output, error);
    if (!output)
        return Failure(error);
    bool notAMap = false;
    std::vector<UnreadSheet> unread;
    const bool loaded = LoadMapFile(doc, *map, error, &notAMap, &unread);
    if (notAMap)
        return Failure("\"" + request.Map + "\" is not a map file");
    if (!loaded)
        return Failure(error);
    // The map is still usable: its sheets keep their paths, so each is a warning, not a failure.
    for (const UnreadSheet& sheet : unread)
        std::fprintf(stderr, "quelp: 警告: マップチップ画像を読み込めませんでした: %s: %s\n",
                     LocalPathFromCp932(sheet.PathCp932).c_str(), sheet.Reason.c_str());

    bool written = false;
    switch (request.What) {
    case CommandLineRequest::Action::ExportBinary:
        written = WriteBinaryMap(*output, doc, &error);
        break;
    case CommandLineRequest::Action::ExportImage:
        written = request.Layer < 0 ? WriteMapImage(doc, *output, &error)
                                    : WriteLayerImage(doc, request.Layer, *output, &error);
        break;
    case CommandLineRequest::Action::Resave:
        written = SaveMapFile(doc, *output, error);
        break;
    default:
        break;
    }
    return written ? 0 : Failure(error);
}

}  // namespace

bool IsCommandLineRun(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--", 2) == 0)
            return true;
    return false;
}

std::string CommandLineUsage()
{
    return "Usage:\n"
           "  quelp [MAP.mpx]                              open the editor\n"
           "  quelp --export-binary MAP.mpx OUT            write the game's binary map\n"
           "  quelp --export-image MAP.mpx OUT [--layer N] write a picture (.png .gif .bmp .jpg)\n"
           "                                               of the map, or of layer N (0-7)\n"
           "  quelp --resave MAP.mpx OUT.mpx               read a map and write it back\n"
           "  quelp --help | --version\n"
           "The user's settings (~/.config/ZR-N/Quelp.ini) apply as in the editor.\n"
           "Exit status: 0 done, 1 a file missing, unreadable or not written, 2 wrong arguments.\n";
}

std::optional<CommandLineRequest> ParseCommandLine(const std::vector<std::string>& args,
                                                   std::string& error)
{
    using Action = CommandLineRequest::Action;
    CommandLineRequest request;
    std::vector<std::string> operands;
    bool haveAction = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        Action action{};
        if (arg == "--help" || arg == "-h")
            action = Action::Help;
        else if (arg == "--version")
            action = Action::Version;
        else if (arg == "--export-binary")
            action = Action::ExportBinary;
        else if (arg == "--export-image")
            action = Action::ExportImage;
        else if (arg == "--resave")
            action = Action::Resave;
        else if (arg == "--layer") {
            if (i + 1 >= args.size()) {
                error = "--layer needs a layer number 0 to 7";
                return std::nullopt;
            }
            const std::string& number = args[++i];
            if (number.size() != 1 || number[0] < '0' || number[0] > '7') {
                error = "--layer needs a layer number 0 to 7, not \"" + number + "\"";
                return std::nullopt;
            }
            request.Layer = number[0] - '0';
            continue;
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            operands.push_back(arg);
            continue;
        }
        if (haveAction) {
            error = "only one of --export-binary, --export-image, --resave, --help, --version";
            return std::nullopt;
        }
        haveAction = true;
        request.What = action;
    }
    if (!haveAction) {
        error = "no action given";
        return std::nullopt;
    }
    if (request.What == Action::Help || request.What == Action::Version)
        return request;
    if (operands.size() != 2) {
        error = "expected a map file and an output file";
        return std::nullopt;
    }
    if (request.Layer >= 0 && request.What != Action::ExportImage) {
        error = "--layer goes with --export-image only";
        return std::nullopt;
    }
    request.Map = operands[0];
    request.Output = operands[1];
    return request;
}

int RunCommandLine(int argc, char** argv)
{
    std::string error;
    const std::optional<CommandLineRequest> request =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!request) {
        std::fprintf(stderr, "quelp: %s (see quelp --help)\n", error.c_str());
        return 2;
    }
    if (request->What == CommandLineRequest::Action::Help) {
        std::fputs(CommandLineUsage().c_str(), stdout);
        return 0;
    }
    if (request->What == CommandLineRequest::Action::Version) {
        std::printf("quelp %s\n", kVersion);
        return 0;
    }
    qInstallMessageHandler(QuietQtMessages);
    int qtArgc = 1;
    if (request->What != CommandLineRequest::Action::ExportImage) {
        // A map and a binary need neither a display platform nor fonts, whose start costs more
        // than the work itself.
        QCoreApplication app(qtArgc, argv);
        return Run(*request);
    }
    // A picture draws texts, so the font system starts; no display is needed offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(qtArgc, argv);
    InstallFontSubstitutions();
    return Run(*request);
}
