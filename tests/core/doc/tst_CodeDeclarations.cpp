#include "TestRegistry.h"

#include "core/doc/CodeDeclarations.h"

#include <QTest>

Q_DECLARE_METATYPE(DeclarationSyntax)
Q_DECLARE_METATYPE(DeclarationScope)

namespace {

const char* const kKindNames[] = {"MetaCharset", "MetaContentType", "XmlEncoding",
                                  "CssCharset",  "ScriptCharset",   "LinkCharset",
                                  "ServerCode",  "ServerDefault",   "ServerType",
                                  "ServerName"};

} // namespace

// Each declaration with its line and exact value, and the text rewritten to
// name UTF-8: the value alone changes.
class TestCodeDeclarations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findAndRewrite_data()
    {
        QTest::addColumn<DeclarationSyntax>("syntax");
        QTest::addColumn<DeclarationScope>("scope");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");  // "Kind line value [target]"
        QTest::addColumn<QString>("rewritten");
        const auto html = DeclarationSyntax::Html;
        const auto whole = DeclarationScope::Whole;
        QTest::newRow("meta charset") << html << whole << QStringLiteral("<meta charset=\"Shift_JIS\">")
                                      << QStringList{"MetaCharset 1 Shift_JIS"}
                                      << QStringLiteral("<meta charset=\"UTF-8\">");
        QTest::newRow("unquoted, blanks, lower case")
            << html << whole << QStringLiteral("<META CHARSET = shift_jis >")
            << QStringList{"MetaCharset 1 shift_jis"} << QStringLiteral("<META CHARSET = utf-8 >");
        QTest::newRow("http-equiv")
            << html << whole
            << QStringLiteral("<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">")
            << QStringList{"MetaContentType 2 x-sjis"}
            << QStringLiteral("<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
        QTest::newRow("content with quoted charset, attributes swapped")
            << html << whole << QStringLiteral("<meta content='text/html;charset=\"EUC-JP\"' http-equiv=content-type>")
            << QStringList{"MetaContentType 1 EUC-JP"}
            << QStringLiteral("<meta content='text/html;charset=\"UTF-8\"' http-equiv=content-type>");
        QTest::newRow("quote in content never closed is none")
            << html << whole
            << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset='EUC-JP\"><p title='x'>")
            << QStringList{}
            << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset='EUC-JP\"><p title='x'>");
        QTest::newRow("content without http-equiv is none")
            << html << whole << QStringLiteral("<meta name=\"x\" content=\"charset=EUC-JP\">") << QStringList{}
            << QStringLiteral("<meta name=\"x\" content=\"charset=EUC-JP\">");
        QTest::newRow("xml declaration")
            << html << whole << QStringLiteral("\r\n<?xml version=\"1.0\" encoding='Shift_JIS'?>\r\n<p>")
            << QStringList{"XmlEncoding 2 Shift_JIS"}
            << QStringLiteral("\r\n<?xml version=\"1.0\" encoding='UTF-8'?>\r\n<p>");
        QTest::newRow("xml declaration after a tag is none")
            << html << whole << QStringLiteral("<p><?xml version=\"1.0\" encoding=\"EUC-JP\"?>") << QStringList{}
            << QStringLiteral("<p><?xml version=\"1.0\" encoding=\"EUC-JP\"?>");
        QTest::newRow("comment and script contents are no markup")
            << html << whole
            << QStringLiteral("<!-- <meta charset=\"EUC-JP\"> --><script>w('<meta charset=\"EUC-JP\">')</script>")
            << QStringList{}
            << QStringLiteral("<!-- <meta charset=\"EUC-JP\"> --><script>w('<meta charset=\"EUC-JP\">')</script>");
        QTest::newRow("script and link name their files' code")
            << html << whole
            << QStringLiteral("<script src=\"a.js\" charset=\"Shift_JIS\"></script><link href=b.css charset=EUC-JP>")
            << QStringList{"ScriptCharset 1 Shift_JIS a.js", "LinkCharset 1 EUC-JP b.css"}
            << QStringLiteral("<script src=\"a.js\" charset=\"UTF-8\"></script><link href=b.css charset=UTF-8>");
        QTest::newRow("server code")
            << html << whole << QStringLiteral("<?php header('Content-Type: text/html; charset=Shift_JIS'); ?>")
            << QStringList{"ServerCode 1 Shift_JIS"}
            << QStringLiteral("<?php header('Content-Type: text/html; charset=UTF-8'); ?>");
        QTest::newRow("head scope ends at body")
            << html << DeclarationScope::Head
            << QStringLiteral("<meta charset=EUC-JP><body><meta charset=EUC-JP>")
            << QStringList{"MetaCharset 1 EUC-JP"} << QStringLiteral("<meta charset=UTF-8><body><meta charset=EUC-JP>");
        QTest::newRow("head scope ends at the head's end tag")
            << html << DeclarationScope::Head << QStringLiteral("<meta charset=EUC-JP></head><meta charset=EUC-JP>")
            << QStringList{"MetaCharset 1 EUC-JP"} << QStringLiteral("<meta charset=UTF-8></head><meta charset=EUC-JP>");
        QTest::newRow("css")
            << DeclarationSyntax::Css << whole << QStringLiteral("@charset \"Shift_JIS\";\r\nb{}\r\n@charset 'euc-jp';")
            << QStringList{"CssCharset 1 Shift_JIS", "CssCharset 3 euc-jp"}
            << QStringLiteral("@charset \"UTF-8\";\r\nb{}\r\n@charset 'utf-8';");
        QTest::newRow("css lone quote at the end is an open string")
            << DeclarationSyntax::Css << whole << QStringLiteral("@charset \"") << QStringList{"CssCharset 1 "}
            << QStringLiteral("@charset \"UTF-8");
        QTest::newRow("css head scope is the first rule")
            << DeclarationSyntax::Css << DeclarationScope::Head << QStringLiteral("b{} @charset \"EUC-JP\";")
            << QStringList{} << QStringLiteral("b{} @charset \"EUC-JP\";");
        QTest::newRow("htaccess")
            << DeclarationSyntax::Server << whole
            << QStringLiteral("AddDefaultCharset Shift_JIS\n#AddDefaultCharset EUC-JP\nAddDefaultCharset Off\n"
                              "  AddType \"text/html; charset=EUC-JP\" .html .htm\nAddCharset Shift_JIS .sjis\n")
            << QStringList{"ServerDefault 1 Shift_JIS", "ServerType 4 EUC-JP .html .htm", "ServerType 5 Shift_JIS .sjis"}
            << QStringLiteral("AddDefaultCharset UTF-8\n#AddDefaultCharset EUC-JP\nAddDefaultCharset Off\n"
                              "  AddType \"text/html; charset=UTF-8\" .html .htm\nAddCharset UTF-8 .sjis\n");
    }
    void findAndRewrite()
    {
        QFETCH(DeclarationSyntax, syntax);
        QFETCH(DeclarationScope, scope);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        QFETCH(QString, rewritten);
        const std::vector<CodeDeclaration> declarations = FindCodeDeclarations(text, syntax, scope);
        QStringList got;
        for (const CodeDeclaration& d : declarations) {
            QString line = QStringLiteral("%1 %2 %3").arg(QLatin1String(kKindNames[int(d.kind)])).arg(d.line).arg(d.value);
            if (!d.target.isEmpty())
                line += u' ' + d.target;
            got.append(line);
            QCOMPARE(text.mid(d.start, d.end - d.start), d.value);
        }
        QCOMPARE(got, found);
        QCOMPARE(RewriteDeclarations(text, declarations, CodeKind::Utf8), rewritten);
    }
};

KELVO_TEST(TestCodeDeclarations, "CodeDeclarations");
#include "tst_CodeDeclarations.moc"
