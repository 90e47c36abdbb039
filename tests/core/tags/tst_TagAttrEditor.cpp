#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/tags/CTagAttrDlg.h"
#include "core/tags/CTagDlg.h"
#include "core/tags/CTagTables.h"

#include <QTest>

namespace {

// A member dialog as small as can be: one field bound to ALT and the
// all-attributes button.
class AltDlg : public CTagDlg {
public:
    AltDlg() : CTagDlg(QStringLiteral("テスト")) {}

protected:
    void BuildForm(FormModel& form) override
    {
        form.AddText(QStringLiteral("代替(&A):"), QString(), QStringLiteral("ALT"));
        AddAllAttributesButton(form);
    }
    void LoadFields(FormModel& form) override { form[u"ALT"_qs].text = Tag().GetAttr(u"ALT"_qs); }
    void StoreFields(const FormModel& form) override
    {
        Tag().SetAttr(u"ALT"_qs, form.Find(u"ALT"_qs)->text);
    }
};

Ui::Answer AnswerFor(const QString& word)
{
    return word == u"cancel" ? Ui::Answer::Cancel : Ui::Answer::Ok;
}

} // namespace

class TestTagAttrEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Fields go to the forms in order as "NAME=VALUE" ("全属性=" presses the
    // button, "属性=ALT" selects ALT's row); answers are taken in the order
    // the boxes close: the inner "属性" first, then questions, "タグ属性",
    // and the member dialog last.
    void edit_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("result");  // the tag after DoModal
        QTest::addColumn<QStringList>("questions");

        const QString img = QStringLiteral("<IMG SRC=\"a.gif\" ALT=\"old\">");
        QTest::newRow("add appends the new attribute last")
            << img << QStringList{"全属性=", "追加=", "名前=WIDTH", "内容=10"} << QStringList{}
            << true << "<IMG SRC=\"a.gif\" ALT=\"old\" WIDTH=\"10\">" << QStringList{};
        QTest::newRow("an empty value adds a valueless attribute")
            << img << QStringList{"全属性=", "追加=", "名前=ISMAP"} << QStringList{} << true
            << "<IMG SRC=\"a.gif\" ALT=\"old\" ISMAP>" << QStringList{};
        QTest::newRow("cancel in the attribute box adds nothing")
            << img << QStringList{"全属性=", "追加=", "名前=WIDTH", "内容=10"}
            << QStringList{"cancel", "ok", "ok"} << true << img << QStringList{};
        QTest::newRow("cancel in the editor undoes its deletions")
            << img << QStringList{"全属性=", "属性=SRC", "削除="}
            << QStringList{"ok", "cancel", "ok"} << true << img
            << QStringList{"SRCを削除しますか？"};
        QTest::newRow("cancel of the member dialog undoes the editor's OK")
            << img << QStringList{"全属性=", "属性=SRC", "削除="}
            << QStringList{"ok", "ok", "cancel"} << false << img
            << QStringList{"SRCを削除しますか？"};
        QTest::newRow("delete only on OK")
            << img << QStringList{"全属性=", "属性=SRC", "削除="} << QStringList{"cancel"} << true
            << img << QStringList{"SRCを削除しますか？"};
        QTest::newRow("delete on OK")
            << img << QStringList{"全属性=", "属性=SRC", "削除="} << QStringList{"ok"} << true
            << "<IMG ALT=\"old\">" << QStringList{"SRCを削除しますか？"};
        QTest::newRow("the row order is the output order")
            << img << QStringList{"全属性=", "属性=ALT", "上へ="} << QStringList{} << true
            << "<IMG ALT=\"old\" SRC=\"a.gif\">" << QStringList{};
        QTest::newRow("down on the last row does nothing")
            << img << QStringList{"全属性=", "属性=ALT", "下へ="} << QStringList{} << true << img
            << QStringList{};
        QTest::newRow("an edit shows in the member's field")
            << img << QStringList{"全属性=", "属性=ALT", "編集=", "内容=new"} << QStringList{}
            << true << "<IMG SRC=\"a.gif\" ALT=\"new\">" << QStringList{};
        QTest::newRow("a value typed before the button is kept")
            << img << QStringList{"ALT=typed", "全属性=", "属性=SRC", "削除="}
            << QStringList{"ok"} << true << "<IMG ALT=\"typed\">"
            << QStringList{"SRCを削除しますか？"};
        QTest::newRow("adding a name that is there sets its value")
            << img << QStringList{"全属性=", "追加=", "名前=src", "内容=b.gif"} << QStringList{}
            << true << "<IMG SRC=\"b.gif\" ALT=\"old\">" << QStringList{};
        QTest::newRow("renaming onto another row merges the two")
            << img << QStringList{"全属性=", "属性=ALT", "編集=", "名前=SRC"} << QStringList{}
            << true << "<IMG SRC=\"old\">" << QStringList{};
        QTest::newRow("a double quote in a value stays inside it")
            << img << QStringList{"全属性=", "属性=ALT", "編集=", "内容=say \"hi\""}
            << QStringList{} << true << "<IMG SRC=\"a.gif\" ALT=\"say &quot;hi&quot;\">"
            << QStringList{};
        QTest::newRow("an empty name is refused, then the box is given up")
            << img << QStringList{"全属性=", "追加=", "名前= ", "内容=1"} << QStringList{"ok"}
            << true << img << QStringList{};
        QTest::newRow("a name that would break the tag is refused")
            << img << QStringList{"全属性=", "追加=", "名前=A=B"} << QStringList{"ok"} << true
            << img << QStringList{};
        QTest::newRow("a tag without attributes gets its first")
            << "<BR>" << QStringList{"全属性=", "追加=", "名前=CLEAR", "内容=all"}
            << QStringList{} << true << "<BR CLEAR=\"all\">" << QStringList{};
    }
    void edit()
    {
        QFETCH(QString, tag);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, answers);
        QFETCH(bool, ok);
        QFETCH(QString, result);
        QFETCH(QStringList, questions);
        ScriptedUi ui;
        for (const QString& f : fields)
            ui.QueueField(f.section(u'=', 0, 0), f.section(u'=', 1));
        for (const QString& a : answers)
            ui.QueueAnswer(AnswerFor(a));
        AltDlg dlg;
        dlg.Tag().Parse(tag);
        QCOMPARE(dlg.DoModal(ui), ok);
        QCOMPARE(dlg.Tag().GetStartTag(), result);
        QCOMPARE(ui.Texts(u"question"_qs), questions);
        QVERIFY(ui.PendingFields().empty());
    }

    // After a deletion the selection stays on its row, or on the new last
    // row.
    void selectionAfterDelete_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("left");
        QTest::newRow("first") << 0 << 0 << "<P B=\"2\" C=\"3\">";
        QTest::newRow("middle") << 1 << 1 << "<P A=\"1\" C=\"3\">";
        QTest::newRow("last") << 2 << 1 << "<P A=\"1\" B=\"2\">";
    }
    void selectionAfterDelete()
    {
        QFETCH(int, selected);
        QFETCH(int, after);
        QFETCH(QString, left);
        CTagObj tag;
        tag.Parse(u"<P A=\"1\" B=\"2\" C=\"3\">"_qs);
        CTagAttrDlg dlg(tag, nullptr);
        dlg.Select(selected);
        ScriptedUi ui;
        ui.QueueAnswer(Ui::Answer::Ok);
        QVERIFY(dlg.Delete(ui));
        QCOMPARE(dlg.Selection(), after);
        QCOMPARE(dlg.Tag().GetStartTag(), left);
    }

    // The attribute box offers the tag's attribute names, and the value
    // words of the name chosen.
    void offers_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("choices of the tag's own definition")
            << "IMG" << "ALIGN" << QStringList{"SRC", "ALIGN", "BGCOLOR", "CLASS"}
            << QStringList{"top", "middle"};
        QTest::newRow("choices of the definition for all tags")
            << "P" << "align" << QStringList{"ALIGN", "CLASS"} << QStringList{"left", "right"};
        QTest::newRow("colour names") << "IMG" << "BGCOLOR"
                                      << QStringList{"SRC", "ALIGN", "BGCOLOR", "CLASS"}
                                      << QStringList{"black", "silver", "gray", "white", "maroon",
                                                     "red", "purple", "fuchsia", "green", "lime",
                                                     "olive", "yellow", "navy", "blue", "teal",
                                                     "aqua"};
        QTest::newRow("the document's classes") << "P" << "CLASS" << QStringList{"ALIGN", "CLASS"}
                                                << QStringList{"note", "warn"};
        QTest::newRow("a tag not in the table: names for all tags")
            << "BLINK" << "SRC" << QStringList{"ALIGN", "BGCOLOR", "CLASS", "SRC"}
            << QStringList{};
    }
    void offers()
    {
        QFETCH(QString, tag);
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QFETCH(QStringList, values);
        CTagTables tables;
        for (const char* line : {"ALIGN/IMG top middle", "ALIGN  left right", "BGCOLOR #COLOR",
                                 "CLASS #CLASS", "SRC #URL"})
            tables.AddAttrLine(QString::fromUtf8(line));
        tables.AddTagLine(u"IMG SRC ALIGN BGCOLOR CLASS"_qs);
        tables.AddTagLine(u"P ALIGN CLASS"_qs);
        CTagAttrDlg dlg(CTagObj(tag), &tables, {u"note"_qs, u"warn"_qs});
        QCOMPARE(dlg.ValueChoices(name), values);

        ScriptedUi ui;
        ui.QueueField(u"名前"_qs, name);
        CTagAttr attr;
        QVERIFY(dlg.EditAttr(ui, attr));
        QCOMPARE(ui.LastForm()->Find(u"名前"_qs)->choices, names);
        QCOMPARE(ui.LastForm()->Find(u"内容"_qs)->choices, values);
    }
};

KELVO_TEST(TestTagAttrEditor, "TagAttrEditor");
#include "tst_TagAttrEditor.moc"
