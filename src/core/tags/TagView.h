#pragma once

#include <QString>
#include <QStringList>

class CKelvoView;
class CTagDlg;
class EditBuffer;

// The tag operations of the view: they read the selection and the text
// around it through the view's edit buffer and put every new text in
// through CKelvoView::InsertTagText. Holds no state of its own, so a command
// can make one whenever it runs.
//
// Positions are character offsets into the whole text; every "find" gives
// -1 (or false) when there is nothing to find.
class TagView {
public:
    explicit TagView(CKelvoView& view);

    // The selected text; empty for a bare caret.
    QString GetSelectionText() const;
    // True when the text is exactly one start tag named name (any case),
    // read as browsers read it (a quoted value may hold ">").
    static bool IsSelectedStartTag(const QString& selection, const QString& name);
    // Selects the tag the caret is in (from its "<" to just after its ">")
    // and gives true; false, with nothing changed, when the caret is not in
    // a tag. Only the selection start counts. The whole text is read from
    // the top, so a "<" inside a comment, a script or a quoted value is no
    // tag.
    bool SelectTagAtCaret();
    // The first "<" + name in the text (exact case) and the position just
    // after the next ">".
    bool FindTagInText(const QString& name, int& start, int& end) const;
    // The first occurrence of the text at or after the position, without
    // regard to case. The search goes line by line, so a text that spans a
    // line break is never found.
    int FindTextFrom(int position, const QString& text) const;
    static int FindNoCase(const QString& text, const QString& pattern);
    // The name of the first tag in the text, "/" + name for an end tag;
    // empty when the text holds no whole tag.
    static QString GetTagName(const QString& tagText);
    // The (decoded) value of one attribute of the first tag in the text.
    static QString ProbeAttr(const QString& tagText, const QString& attrName);
    // The classes the document's STYLE block defines for the tag or for all
    // tags, one rule per line ("P.note {" or ".note {").
    void CollectStyleClasses(const QString& tagName, QStringList& classes) const;

    // Wraps the selection in start and end tag (see CTagObj::GetElement);
    // trailingBreak adds CR LF after the end tag.
    void WrapSelection(const QString& name, bool lineBreaks, bool trailingBreak);
    // Replaces the selection by "<name>", with CR LF after it when
    // trailingBreak is set.
    void InsertSimpleTag(const QString& name, bool trailingBreak);
    // Edits the selected start tag named name through the dialog, or creates
    // a new one. A new tag gets the selection as its inner text when wrap is
    // set. An edited tag that comes back unchanged is not written at all; a
    // renamed one takes its own end tag along (nested elements of the same
    // name counted) in the same edit. Gives true on OK.
    bool RunTagDialog(CTagDlg& dialog, const QString& name, bool wrap, bool lineBreaks,
                      bool withClasses);

private:
    CKelvoView& m_view;
    EditBuffer& m_buffer;
};
