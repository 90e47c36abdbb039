#pragma once

#include <QStringView>

#include <vector>

// The tokens of CSS text as a browser's tokenizer cuts it, each with its
// range in the text, so that whatever is read can be written back exactly.
// Comments are tokens here (a browser drops them) because a rule or
// declaration keeps the comments inside it.
enum class CssTokenKind : unsigned char {
    Whitespace,
    Comment,
    Ident,
    Function, // "name(": the "(" is part of the token
    AtKeyword,
    Hash,
    String,
    BadString, // a string cut by a line break
    Url,       // url(...) without quotation marks, ")" included
    BadUrl,
    Number,
    Percentage,
    Dimension,
    Delim,
    Cdo, // "<!--"
    Cdc, // "-->"
    Colon,
    Semicolon,
    Comma,
    OpenSquare,
    CloseSquare,
    OpenParen,
    CloseParen,
    OpenCurly,
    CloseCurly,
};

struct CssToken {
    CssTokenKind kind;
    int start;
    int end;
};

// Every character of the text belongs to exactly one token, in order. An
// unterminated comment, string or url() runs to the end of the text.
std::vector<CssToken> TokenizeCss(QStringView text);

// The same tokens held in less room (a large sheet has millions): a token
// ends where the next one starts, the last one at the end of the text.
struct CssTokenStart {
    int start;
    CssTokenKind kind;
};
std::vector<CssTokenStart> TokenizeCssStarts(QStringView text);
