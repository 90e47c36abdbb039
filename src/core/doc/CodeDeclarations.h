#pragma once

#include "core/doc/CodeKinds.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// Where a text says in which character code it, or a file it loads, is
// written: found with the HTML and CSS readers, each with the exact range of
// its value, so that a rewrite changes that value and nothing else.
struct CodeDeclaration {
    enum class Kind {
        MetaCharset,      // <meta charset="...">
        MetaContentType,  // <meta http-equiv="Content-Type" content="...; charset=...">
        XmlEncoding,      // <?xml ... encoding="..."?> at the start of the text
        CssCharset,       // @charset "...";
        ScriptCharset,    // <script src="..." charset="...">: the code of the script's file
        LinkCharset,      // <link href="..." charset="...">: the code of the linked file
        ServerCode,       // charset=... inside <? ?> or <% %>: the server's code sets it
        ServerDefault,    // .htaccess: AddDefaultCharset ...
        ServerType,       // .htaccess: AddType type;charset=... ext... / AddCharset ... ext...
        ServerName,       // a code's name as a string inside <? ?> or <% %> ("SJIS" for
                          // mb_internal_encoding): the server reads or sends the page in it
    };
    Kind kind = Kind::MetaCharset;
    // The value without its quotes and the blanks around it.
    qsizetype start = 0;
    qsizetype end = 0;
    // The whole tag, rule or line that holds it.
    qsizetype markupStart = 0;
    qsizetype markupEnd = 0;
    int line = 1;  // of the value, from 1
    QString value;
    // What the value names, when it is a code of ours.
    std::optional<CodeKind> code;
    // ScriptCharset, LinkCharset: the SRC or HREF as written (references
    // not decoded); ServerType: the extensions after the value.
    QString target;

    // The code of the text itself (not of another file, not the server's).
    bool OfOwnText() const
    {
        return kind == Kind::MetaCharset || kind == Kind::MetaContentType
               || kind == Kind::XmlEncoding || kind == Kind::CssCharset;
    }
};

enum class DeclarationSyntax {
    Html,    // pages, server pages
    Css,     // style sheets
    Server,  // .htaccess
    None,    // scripts, plain text: nothing declares a code
};
// The syntax of a file by its name.
DeclarationSyntax DeclarationSyntaxFor(QStringView path);

enum class DeclarationScope {
    Head,   // HTML: up to <body> or </head>; CSS: the first rule
    Whole,
};

// The declarations of the text in order. A declaration inside a comment, a
// script or a style element is none, as browsers read it.
std::vector<CodeDeclaration> FindCodeDeclarations(QStringView text, DeclarationSyntax syntax,
                                                  DeclarationScope scope = DeclarationScope::Whole);

// The code a charset name means when it is one of ours ("Shift_JIS",
// "x-sjis", "EUC-JP", "UTF-8", ...; letter case and blanks around ignored).
std::optional<CodeKind> CodeFromCharsetName(QStringView name);
// The name pages use for a code: "Shift_JIS", "ISO-2022-JP", "EUC-JP",
// "UTF-8"; empty for Ascii and Unknown.
QString CharsetName(CodeKind code);
// The value that makes a declaration name the code, in lower case where
// the old value was.
QString DeclaredValueFor(const CodeDeclaration& declaration, CodeKind code);

// The text with each declaration's value made to name the code; every
// other character stays. The declarations are those found in this text,
// in order.
QString RewriteDeclarations(QStringView text, const std::vector<CodeDeclaration>& declarations,
                            CodeKind code);
