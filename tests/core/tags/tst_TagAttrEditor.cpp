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

const QString kImg = QStringLiteral("<IMG SRC=\"a.gif\" ALT=\"old\">");

// A row of the editing table: the answers and questions only where a row
// has them; the member dialog's OK and the <IMG> tag unless a row says not.
void Edit(const char* name, const QStringList& fields, const QStringList& answers,
          const QString& result, const QStringList& questions = {}, bool ok = true,
          const QString& tag = kImg)
{
    QTest::newRow(name) << tag << fields << answers << ok << result << questions;
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

        Edit("add appends the new attribute last", {"全属性=", "追加=", "名前=WIDTH", "内容=10"}, {},
            "<IMG SRC=\"a.gif\" ALT=\"old\" WIDTH=\"10\">");
        Edit("an empty value adds a valueless attribute", {"全属性=", "追加=", "名前=ISMAP"}, {},
            "<IMG SRC=\"a.gif\" ALT=\"old\" ISMAP>");
        Edit("cancel in the attribute box adds nothing", {"全属性=", "追加=", "名前=WIDTH", "内容=10"},
            {"cancel", "ok", "ok"}, kImg);
        Edit("cancel in the editor undoes its deletions", {"全属性=", "属性=SRC", "削除="}, {"ok", "cancel", "ok"},
            kImg, {"SRCを削除しますか？"});
        Edit("cancel of the member dialog undoes the editor's OK", {"全属性=", "属性=SRC", "削除="},
            {"ok", "ok", "cancel"}, kImg, {"SRCを削除しますか？"}, false);
        Edit("delete only on OK", {"全属性=", "属性=SRC", "削除="}, {"cancel"}, kImg, {"SRCを削除しますか？"});
        Edit("delete on OK", {"全属性=", "属性=SRC", "削除="}, {"ok"}, "<IMG ALT=\"old\">", {"SRCを削除しますか？"});
        Edit("the row order is the output order", {"全属性=", "属性=ALT", "上へ="}, {},
            "<IMG ALT=\"old\" SRC=\"a.gif\">");
        Edit("down on the last row does nothing", {"全属性=", "属性=ALT", "下へ="}, {}, kImg);
        Edit("an edit shows in the member's field", {"全属性=", "属性=ALT", "編集=", "内容=new"}, {},
            "<IMG SRC=\"a.gif\" ALT=\"new\">");
        Edit("a value typed before the button is kept", {"ALT=typed", "全属性=", "属性=SRC", "削除="}, {"ok"},
            "<IMG ALT=\"typed\">", {"SRCを削除しますか？"});
        Edit("adding a name that is there sets its value", {"全属性=", "追加=", "名前=src", "内容=b.gif"}, {},
            "<IMG SRC=\"b.gif\" ALT=\"old\">");
        Edit("renaming onto another row merges the two", {"全属性=", "属性=ALT", "編集=", "名前=SRC"}, {},
            "<IMG SRC=\"old\">");
        Edit("a double quote in a value stays inside it", {"全属性=", "属性=ALT", "編集=", "内容=say \"hi\""}, {},
            "<IMG SRC=\"a.gif\" ALT='say \"hi\"'>");
        Edit("an empty name is refused, then the box is given up", {"全属性=", "追加=", "名前= ", "内容=1"}, {"ok"},
            kImg);
        Edit("a name that would break the tag is refused", {"全属性=", "追加=", "名前=A=B"}, {"ok"}, kImg);
        Edit("a tag without attributes gets its first", {"全属性=", "追加=", "名前=CLEAR", "内容=all"}, {},
            "<BR CLEAR=\"all\">", {}, true, "<BR>");
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
