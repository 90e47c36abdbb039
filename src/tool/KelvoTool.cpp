#include "tool/KelvoTool.h"
#include "tool/CheckTool.h"
#include "tool/LinkTool.h"

#include "tool/FtpTool.h"
#include "tool/MigrateTool.h"

#include "core/app/CKelvoApp.h"
#include "core/app/FormModel.h"
#include "core/app/HeadlessEditor.h"
#include "core/app/ScriptedUi.h"
#include "core/custom/CKeycustTable.h"
#include "core/doc/CKelvoDoc.h"
#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "core/doc/DocumentFile.h"
#include "core/style/CStyleSheet.h"
#include "core/tags/TagDialogCommands.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kFileError = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "usage: kelvo-tool detect FILE...\n"
    "       kelvo-tool convert [--code NAME] [--eol NAME] [--ncr] [--declare] IN OUT\n"
    "       kelvo-tool exec [--config DIR] [--select START:END] [--answer yes|no|ok|cancel|all|back]...\n"
    "                       [--input TEXT]... [--field NAME=VALUE]... [--setting SECTION/KEY=VALUE]...\n"
    "                       [--dblclick OFFSET]... --command ID [--command ID]... FILE [-o OUT]\n"
    "       kelvo-tool keys FILE\n"
    "       kelvo-tool css FILE\n"
    "       kelvo-tool image-size FILE...\n"
    "       kelvo-tool links [--root DIR] [--config DIR] FILE|FOLDER...\n"
    "       kelvo-tool check [--root DIR] [--config DIR] FILE|FOLDER...\n"
    KELVO_FTP_USAGE
    KELVO_MIGRATE_USAGE
    "code names: ShiftJis Jis Euc Utf8 Ascii Unknown; line ends: None CrLf Lf Cr Unknown\n";

// --help prints the usage and then what each command and option does; a
// usage error prints only the usage.
const char* const kHelpText =
    "\n"
    "Commands:\n"
    "  detect FILE...        print FILE: CODE LINEEND for each file, as the editor detects\n"
    "                        them, with undecodable=N when some bytes are no character\n"
    "  convert IN OUT        load IN as the editor does and save it to OUT\n"
    "    --code NAME         save in this character code (names below, any letter case)\n"
    "    --eol NAME          save with this line end\n"
    "    --ncr               write characters the code cannot hold as &#x...; instead of\n"
    "                        refusing (exit status 1 and a message: line)\n"
    "    --declare           make the page's declarations of the code (meta charset,\n"
    "                        the XML declaration, @charset) name the code saved in;\n"
    "                        without it they stay as they are\n"
    "  exec FILE             open FILE in the editor without a window, run the commands,\n"
    "                        save through the normal save path; options act in order:\n"
    "    --command ID        run the command with this identifier (repeatable)\n"
    "    --select START:END  select by character offsets (a line end counts as two)\n"
    "    --answer ANSWER     answer the next question or dialog: yes no ok cancel all back\n"
    "    --input TEXT        text for the next input box or file chooser\n"
    "    --field NAME=VALUE  fill a field of the next dialog that has it, by its label or\n"
    "                        attribute name; ... presses a field's browse button\n"
    "    --setting SECTION/KEY=VALUE  write a setting (before the first --command: in\n"
    "                        place when the editor starts)\n"
    "    --dblclick OFFSET   double-click at a character offset (counts as a command)\n"
    "    --config DIR        keep the settings in DIR (default: a fresh temporary folder)\n"
    "    -o OUT              save to OUT instead of FILE\n"
    "                        messages print as message: TEXT, questions as question: TEXT,\n"
    "                        the rows a result list shows as row: TEXT (cells split by tabs),\n"
    "                        a registered tool as process: and argument: lines\n"
    "  keys FILE             list the assignments of a key file: KEY COMMAND-ID\n"
    "  css FILE              write the style sheet back with one declaration per line\n"
    "  image-size FILE...    print FILE: WIDTH HEIGHT of GIF, JPEG, PNG, WebP, BMP, ICO,\n"
    "                        AVIF and SVG files\n"
    "  links FILE|FOLDER...  print the link targets that are missing\n"
    "    --root DIR          where root-relative links (/css/a.css) start\n"
    "    --config DIR        the settings whose FTP sites give the local root folders\n"
    "  check FILE|FOLDER...  check pages (a folder: every page under it) as the editor's\n"
    "                        page check does: HTML Tidy's reports, missing local links and\n"
    "                        pictures, picture sizes, the declared character code; prints\n"
    "                        FILE:LINE:COLUMN: error|warning|hint: MESSAGE (in Japanese);\n"
    "                        --root and --config as for links\n"
    "  ftp OPERATION         connect to an FTP server, run one operation, disconnect\n"
    "    --site NAME         take host, user, password, root folder and ASCII mode from a\n"
    "                        site saved in the editor's settings (in --config DIR)\n"
    "    --host HOST[:PORT]  the server (the protocol's port unless given; [::1]:2121)\n"
    "    --user U            the user name\n"
    "    --password P        the password\n"
    "    --password-file F   read the password from the first line of F\n"
    "    --active            active mode (default: passive)\n"
    "    --ascii             move files in ASCII mode (default: binary)\n"
    "    --root DIR          change to DIR after login\n"
    "    --timeout SECONDS   give up on a silent server (default 30)\n"
    "    --protocol P        ftp, ftps (FTP over TLS) or sftp (default: ftp, or the site's)\n"
    "    --encoding E        the server's code of names: auto (ask the server), utf8, sjis\n"
    "    --trust SHA256:FP   accept the certificate or host key of this fingerprint,\n"
    "                        although it does not verify\n"
    "    --key FILE          SFTP: log in with this private key (default: the agent and\n"
    "                        ~/.ssh); the password unlocks an encrypted one\n"
    "                        operations: ls pwd put get mkdir rmdir rm mv chmod mirror\n"
    "    mirror LOCALDIR     make the server folder a copy of LOCALDIR: send new and\n"
    "                        changed files, make folders; prints put/mkdir/rm PATH lines\n"
    "      --delete          also remove server files and folders LOCALDIR lacks\n"
    "      --dry-run         print what would be done, and do nothing\n"
    "  ftp-parse FILE        print the entries of a saved server listing, as ls does\n"
    "  migrate SITE          move the pages, style sheets, scripts and text files of SITE\n"
    "                        to UTF-8 and make every declaration of the code say UTF-8;\n"
    "                        prints convert PATH: CODE -> Utf8, declare PATH: LINE: TEXT\n"
    "                        and skip PATH: REASON lines, then does what they say\n"
    "    --dry-run           print the lines, change nothing\n"
    "    --backup DIR        keep the originals of the written files in DIR, a tree that\n"
    "                        a plain copy puts back\n"
    "    --include GLOB      convert files of this name too (*.htm *.html *.shtml *.php\n"
    "                        *.css *.js *.txt are converted)\n"
    "    --code FILE=CODE    read FILE in CODE (ShiftJis Jis Euc Utf8) instead of skipping\n"
    "                        it as undecidable or mislabelled\n"
    "    --htaccess          also rewrite AddDefaultCharset, AddType ...;charset= and\n"
    "                        AddCharset in .htaccess files\n"
    "    --to utf8           the code to move to (UTF-8 only)\n"
    "  --help, -h, help      print this help\n"
    "  --version             print the version\n"
    "\n"
    "Exit status: 0 done; 1 failed (a file could not be read or written, a character\n"
    "the code cannot hold, a link target missing, an error in a checked page, an FTP\n"
    "operation failed); 2 bad arguments. See kelvo-tool(1).\n";

int Fail(QTextStream& err, int status, const QString& text)
{
    err << "kelvo-tool: " << text << '\n';
    if (status == kUsage)
        err << kUsageText;
    return status;
}

// One line per record, so that a script can read the output line by line.
QString OneLine(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\r', QStringLiteral("\\r"));
    return text;
}

int Detect(const QStringList& files, QTextStream& out, QTextStream& err)
{
    if (files.isEmpty())
        return Fail(err, kUsage, QStringLiteral("detect needs at least one file"));
    int status = kOk;
    for (const QString& path : files) {
        platform::FileRead file = platform::ReadRegularFile(path, kMaxDocumentSize);
        if (file.error != platform::FileError::None) {
            Fail(err, kFileError, QStringLiteral("cannot read %1").arg(path));
            status = kFileError;
            continue;
        }
        if (IsUtf16File(file.bytes)) {
            Fail(err, kFileError, QStringLiteral("%1: UTF-16 is not supported").arg(path));
            status = kFileError;
            continue;
        }
        const DecodedDocument doc = DecodeDocument(std::move(file.bytes), true);
        out << path << ": " << CodeKindName(doc.code) << ' ' << LineEndKindName(doc.lineEnd);
        if (doc.undecodable > 0)
            out << " undecodable=" << doc.undecodable;
        out << '\n';
    }
    return status;
}

// One line per assignment of a key file: the key as the key dialog names it
// and the command identifier. A key the dialog has no name for shows its
// code in brackets.
int Keys(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1)
        return Fail(err, kUsage, QStringLiteral("keys needs one file"));
    CKeycustTable table;
    if (!table.Load(args[0])) {
        err << QStringLiteral("読み込めません") << '\n';
        return kFileError;
    }
    for (const CKeycust& k : table.Assignments()) {
        QString name = CKeycustTable::DisplayName(k);
        if (CKeycustTable::NameOfKey(k.key).isEmpty())
            name += QStringLiteral("[%1]").arg(k.key);
        out << name << ' ' << k.command << '\n';
    }
    return kOk;
}

// Settings live in a folder of their own: the given one, or a fresh
// temporary folder so that a batch run never touches the user's settings.
struct ToolSettings {
    std::optional<QTemporaryDir> temp;
    std::unique_ptr<platform::SettingsStore> store;

    bool Open(const QString& dir)
    {
        QString folder = dir;
        using Persistence = platform::SettingsStore::Persistence;
        Persistence persistence = Persistence::Durable;
        if (folder.isEmpty()) {
            temp.emplace();
            if (!temp->isValid())
                return false;
            folder = temp->path();
            // Thrown away at the end of the run: nothing to sync.
            persistence = Persistence::Scratch;
        }
        platform::MakeFolders(folder);
        store = std::make_unique<platform::SettingsStore>(folder + QStringLiteral("/kelvo.ini"),
                                                          persistence);
        return true;
    }
};

int Convert(const QStringList& args, QTextStream& out, QTextStream& err)
{
    std::optional<CodeKind> code;
    std::optional<LineEndKind> eol;
    bool references = false;
    bool declare = false;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--ncr") {
            references = true;
        } else if (a == u"--declare") {
            declare = true;
        } else if (a == u"--code" || a == u"--eol") {
            if (i + 1 >= args.size())
                return Fail(err, kUsage, a + QStringLiteral(" needs a name"));
            const QString name = args[++i];
            if (a == u"--code") {
                code = CodeKindFromName(name);
                if (!code)
                    return Fail(err, kUsage, QStringLiteral("unknown code name: %1").arg(name));
            } else {
                eol = LineEndKindFromName(name);
                if (!eol)
                    return Fail(err, kUsage, QStringLiteral("unknown line end name: %1").arg(name));
            }
        } else if (a.startsWith(u'-') && a.size() > 1) {
            return Fail(err, kUsage, QStringLiteral("unknown option: %1").arg(a));
        } else {
            files.append(a);
        }
    }
    if (files.size() != 2)
        return Fail(err, kUsage, QStringLiteral("convert needs IN and OUT"));
    ToolSettings settings;
    if (!settings.Open(QString()))
        return Fail(err, kFileError, QStringLiteral("cannot create a temporary settings folder"));
    ScriptedUi ui;
    HeadlessEditor editor(*settings.store, ui);
    int status = kOk;
    if (!editor.Doc().OnOpenDocument(files[0])) {
        status = kFileError;
    } else {
        if (code)
            editor.Doc().SetCodeKind(*code);
        if (eol)
            editor.Doc().SetLineEndKind(*eol);
        // Characters the code cannot hold are written as references only
        // when asked for; otherwise nothing is written. The save asks only
        // when there are such characters, and then about declarations of
        // another code, which stay unless --declare is given.
        const bool unencodable =
            !FindUnencodable(editor.Buffer().GetText(), editor.Doc().GetCodeKind(), 1).empty();
        if (unencodable)
            ui.QueueAnswer(references ? Ui::Answer::Yes : Ui::Answer::Cancel);
        ui.QueueAnswer(declare ? Ui::Answer::Yes : Ui::Answer::No);
        const bool saved = editor.Doc().OnSaveDocument(files[1]);
        const QStringList questions = ui.Texts(QStringLiteral("question"));
        const bool refused = !references && unencodable;
        if (!saved)
            status = kFileError;
        for (const QString& m : ui.Texts(QStringLiteral("message")))
            err << "message: " << OneLine(m) << '\n';
        if (refused)
            err << "message: " << OneLine(questions.front()) << '\n';
        return status;
    }
    for (const QString& m : ui.Texts(QStringLiteral("message")))
        err << "message: " << OneLine(m) << '\n';
    return status;
}

// exec: options take effect in the order given.
struct Step {
    enum Kind { Select, Answer, Input, Field, Setting, Command, DoubleClick };
    Kind kind = Command;
    int a = 0;
    int b = 0;
    Ui::Answer answer = Ui::Answer::Ok;
    QString name;  // field name, or the setting's section
    QString key;   // the setting's key
    QString value;
};

std::optional<Ui::Answer> AnswerFromName(const QString& name)
{
    static const std::pair<const char*, Ui::Answer> names[] = {
        {"yes", Ui::Answer::Yes}, {"no", Ui::Answer::No},   {"ok", Ui::Answer::Ok},
        {"cancel", Ui::Answer::Cancel}, {"all", Ui::Answer::All}, {"back", Ui::Answer::Back}};
    for (const auto& [n, a] : names)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
            return a;
    return std::nullopt;
}

bool SplitSetting(const QString& text, QString& section, QString& key, QString& value)
{
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0)
        return false;
    const qsizetype slash = text.left(eq).lastIndexOf(u'/');
    if (slash <= 0 || slash + 1 >= eq)
        return false;
    section = text.left(slash);
    key = text.mid(slash + 1, eq - slash - 1);
    value = text.mid(eq + 1);
    return true;
}

int Exec(const QStringList& args, QTextStream& out, QTextStream& err)
{
    std::vector<Step> steps;
    QString file, output, configDir;
    bool sawCommand = false;
    std::vector<Step> startSettings;
    auto need = [&](int i) { return i + 1 < args.size(); };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--select") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--select needs START:END"));
            const QStringList parts = args[++i].split(u':');
            bool ok1 = false, ok2 = false;
            Step s;
            s.kind = Step::Select;
            if (parts.size() == 2) {
                s.a = parts[0].toInt(&ok1);
                s.b = parts[1].toInt(&ok2);
            }
            if (!ok1 || !ok2 || s.a < 0 || s.b < 0)
                return Fail(err, kUsage, QStringLiteral("bad selection: %1").arg(args[i]));
            steps.push_back(s);
        } else if (a == u"--answer") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--answer needs a value"));
            const std::optional<Ui::Answer> ans = AnswerFromName(args[++i]);
            if (!ans)
                return Fail(err, kUsage, QStringLiteral("unknown answer: %1").arg(args[i]));
            Step s;
            s.kind = Step::Answer;
            s.answer = *ans;
            steps.push_back(s);
        } else if (a == u"--input") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--input needs a text"));
            Step s;
            s.kind = Step::Input;
            s.value = args[++i];
            steps.push_back(s);
        } else if (a == u"--field") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--field needs NAME=VALUE"));
            const QString text = args[++i];
            const qsizetype eq = text.indexOf(u'=');
            if (eq <= 0)
                return Fail(err, kUsage, QStringLiteral("bad field: %1").arg(text));
            Step s;
            s.kind = Step::Field;
            s.name = text.left(eq);
            s.value = text.mid(eq + 1);
            steps.push_back(s);
        } else if (a == u"--setting") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--setting needs SECTION/KEY=VALUE"));
            Step s;
            s.kind = Step::Setting;
            QString section, key, value;
            if (!SplitSetting(args[++i], section, key, value))
                return Fail(err, kUsage, QStringLiteral("bad setting: %1").arg(args[i]));
            s.name = section;
            s.key = key;
            s.value = value;
            (sawCommand ? steps : startSettings).push_back(s);
        } else if (a == u"--command") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--command needs an id"));
            bool ok = false;
            Step s;
            s.kind = Step::Command;
            s.a = args[++i].toInt(&ok);
            if (!ok)
                return Fail(err, kUsage, QStringLiteral("bad command id: %1").arg(args[i]));
            steps.push_back(s);
            sawCommand = true;
        } else if (a == u"--dblclick") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--dblclick needs an offset"));
            bool ok = false;
            Step s;
            s.kind = Step::DoubleClick;
            s.a = args[++i].toInt(&ok);
            if (!ok || s.a < 0)
                return Fail(err, kUsage, QStringLiteral("bad offset: %1").arg(args[i]));
            steps.push_back(s);
            sawCommand = true;
        } else if (a == u"--config") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("--config needs a folder"));
            configDir = args[++i];
        } else if (a == u"-o") {
            if (!need(i))
                return Fail(err, kUsage, QStringLiteral("-o needs a file"));
            output = args[++i];
        } else if (a.startsWith(u'-') && a.size() > 1) {
            return Fail(err, kUsage, QStringLiteral("unknown option: %1").arg(a));
        } else if (file.isEmpty()) {
            file = a;
        } else {
            return Fail(err, kUsage, QStringLiteral("more than one file: %1").arg(a));
        }
    }
    if (file.isEmpty())
        return Fail(err, kUsage, QStringLiteral("exec needs a file"));
    if (!sawCommand)
        return Fail(err, kUsage, QStringLiteral("exec needs at least one --command"));

    ToolSettings settings;
    if (!settings.Open(configDir))
        return Fail(err, kFileError, QStringLiteral("cannot create a temporary settings folder"));
    auto applySetting = [&](const Step& s) {
        settings.store->WriteString(s.name, s.key, s.value);
    };
    for (const Step& s : startSettings)
        applySetting(s);

    ScriptedUi ui;
    HeadlessEditor editor(*settings.store, ui);
    for (const Step& s : steps)
        if (s.kind == Step::Command && !editor.App().Commands().Has(s.a))
            return Fail(err, kUsage, QStringLiteral("unknown command id: %1").arg(s.a));

    // The batch editor has no screen; it keeps the landscape layout's count
    // of recent files.
    editor.App().LoadSettings(CKelvoApp::RecentFileCountFor(MenuLayout::Landscape));
    editor.App().LoadTagTables();
    editor.App().LoadUsersKeyFile();
    int status = kOk;
    size_t printed = 0;
    size_t processes = 0;
    // A started program is shown, never run: one line for the program and
    // one per argument, so an argument with blanks stays visibly one.
    auto printProcess = [&](const QString&) {
        const ScriptedUi::Process& p = ui.Processes().at(processes++);
        out << "process: " << OneLine(p.program) << '\n';
        for (const QString& a : p.arguments)
            out << "argument: " << OneLine(a) << '\n';
    };
    auto flushRecords = [&] {
        const auto& records = ui.Records();
        for (; printed < records.size(); ++printed) {
            const ScriptedUi::Record& r = records[printed];
            if (r.kind == u"message" || r.kind == u"question" || r.kind == u"row")
                out << r.kind << ": " << OneLine(r.text) << '\n';
            else if (r.kind == u"process")
                printProcess(r.text);
            else if (r.kind == u"error")
                err << "kelvo-tool: " << OneLine(r.text) << '\n';
        }
    };
    if (!editor.App().OpenDocumentFile(file)) {
        flushRecords();
        return kFileError;
    }
    for (const Step& s : steps) {
        switch (s.kind) {
        case Step::Select:
            editor.Buffer().SetSel(s.a, s.b);
            break;
        case Step::Answer:
            ui.QueueAnswer(s.answer);
            break;
        case Step::Input:
            ui.QueueInput(s.value);
            break;
        case Step::Field:
            ui.QueueField(s.name, s.value);
            break;
        case Step::Setting:
            applySetting(s);
            break;
        case Step::DoubleClick:
            DoubleClickAt(editor.App(), s.a);
            break;
        case Step::Command:
            if (!editor.Run(s.a))
                err << "kelvo-tool: command " << s.a << " is disabled here\n";
            break;
        }
        flushRecords();
    }
    if (!ui.PendingFields().empty()) {
        for (const auto& [name, value] : ui.PendingFields())
            err << "kelvo-tool: no dialog took the field " << name << '\n';
        return kUsage;
    }
    const QString target = output.isEmpty() ? editor.Doc().GetPathName() : output;
    if (!editor.Doc().DoSave(target))
        status = kFileError;
    flushRecords();
    return status;
}

// css: the file as the editor reads it, parsed as a style sheet and written
// back with every rule in the block form, in the file's own code, line end
// and byte-order mark.
int Css(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1 || (args[0].startsWith(u'-') && args[0].size() > 1))
        return Fail(err, kUsage, QStringLiteral("css needs one FILE"));
    ToolSettings settings;
    if (!settings.Open(QString()))
        return Fail(err, kFileError, QStringLiteral("cannot create a temporary settings folder"));
    ScriptedUi ui;
    HeadlessEditor editor(*settings.store, ui);
    if (!editor.Doc().OnOpenDocument(args[0])) {
        for (const QString& m : ui.Texts(QStringLiteral("message")))
            err << "message: " << OneLine(m) << '\n';
        return kFileError;
    }
    CStyleSheet sheet;
    sheet.ParseSheet(editor.Buffer().GetText());
    const QByteArray bytes = EncodeDocument(sheet.ToBlockText(), editor.Doc().GetCodeKind(),
                                            editor.Doc().GetLineEndKind(), &editor.Doc().GetForms());
    out.flush();
    if (QIODevice* device = out.device())
        device->write(bytes);
    else
        out << QString::fromUtf8(bytes);
    return kOk;
}

} // namespace

int RunKelvoTool(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty())
        return Fail(err, kUsage, QStringLiteral("no command given"));
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    if (command == u"--help" || command == u"-h" || command == u"help") {
        out << kUsageText << kHelpText;
        return kOk;
    }
    if (command == u"--version") {
        out << "kelvo-tool " << KELVO_VERSION << '\n';
        return kOk;
    }
    if (command == u"detect")
        return Detect(rest, out, err);
    if (command == u"convert")
        return Convert(rest, out, err);
    if (command == u"exec")
        return Exec(rest, out, err);
    if (command == u"css")
        return Css(rest, out, err);
    if (command == u"keys")
        return Keys(rest, out, err);
    if (command == u"image-size")
        return ImageSizeCommand(rest, out, err);
    if (command == u"links")
        return LinksCommand(rest, out, err);
    if (command == u"check")
        return CheckCommand(rest, out, err);
    if (command == u"ftp")
        return RunFtpTool(rest, out, err);
    if (command == u"ftp-parse")
        return RunFtpParseTool(rest, out, err);
    if (command == u"migrate")
        return MigrateCommand(rest, out, err);
    return Fail(err, kUsage, QStringLiteral("unknown command: %1").arg(command));
}
