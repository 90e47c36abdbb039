#include "core/style/CStyleColorPage.h"

CStyleColorPage::CStyleColorPage() : CStylePage(QStringLiteral("色・背景")) {}

const QStringList& CStyleColorPage::Repeats()
{
    static const QStringList l{"repeat-x", "repeat-y", "no-repeat"};
    return l;
}

const QStringList& CStyleColorPage::Horizontals()
{
    static const QStringList l{"left", "center", "right"};
    return l;
}

const QStringList& CStyleColorPage::Verticals()
{
    static const QStringList l{"top", "center", "bottom"};
    return l;
}

void CStyleColorPage::Read(const CStyleDeclList& d)
{
    color = ReadStyleColor(d.Value(QStringLiteral("color")));
    background.clear();
    image.clear();
    repeat = horizontal = vertical = 0;
    fixed = false;
    const int shorthand = d.Effective({QStringLiteral("background")});
    if (shorthand >= 0) {
        // "center" is in both position lists: the first one is horizontal.
        for (const QString& t : StyleTokenize(d.Items()[shorthand].value)) {
            if (t.compare(u"fixed", Qt::CaseInsensitive) == 0)
                fixed = true;
            else if (StyleChoiceIndex(Repeats(), t) > 0)
                repeat = StyleChoiceIndex(Repeats(), t);
            else if (StyleChoiceIndex(Horizontals(), t) > 0 && horizontal == 0)
                horizontal = StyleChoiceIndex(Horizontals(), t);
            else if (StyleChoiceIndex(Verticals(), t) > 0 && vertical == 0)
                vertical = StyleChoiceIndex(Verticals(), t);
            else if (IsStyleColorToken(t))
                background = ReadStyleColor(t);
            else if (t.startsWith(QStringLiteral("url("), Qt::CaseInsensitive))
                image = ReadShorthandUrl(t);
        }
    }
    // Longhands after the shorthand override it.
    auto later = [&](const char* name) {
        return d.Effective({QString::fromLatin1(name)}) > shorthand;
    };
    if (later("background-color"))
        background = d.Value(QStringLiteral("background-color"));
    if (later("background-image"))
        image = ReadStyleUrl(d.Value(QStringLiteral("background-image")));
    if (later("background-attachment"))
        fixed =
            d.Value(QStringLiteral("background-attachment")).compare(u"fixed", Qt::CaseInsensitive)
            == 0;
    if (later("background-repeat"))
        repeat = ReadValueList(QStringLiteral("background-repeat"),
                               d.Value(QStringLiteral("background-repeat")), Repeats());
    if (later("background-position")) {
        horizontal = vertical = 0;
        const QStringList t = StyleTokenize(d.Value(QStringLiteral("background-position")));
        if (t.size() == 1) {
            horizontal = StyleChoiceIndex(Horizontals(), t[0]);
            vertical = StyleChoiceIndex(Verticals(), t[0]);
        } else if (t.size() == 2) {
            horizontal = StyleChoiceIndex(Horizontals(), t[0]);
            vertical = StyleChoiceIndex(Verticals(), t[1]);
        }
    }
}

QString CStyleColorPage::PositionText() const
{
    QStringList parts;
    if (horizontal > 0)
        parts << StyleChoiceValue(Horizontals(), horizontal);
    if (vertical > 0)
        parts << StyleChoiceValue(Verticals(), vertical);
    return parts.join(u' ');
}

void CStyleColorPage::Write(CStyleDeclList& d) const
{
    d.SetColor(QStringLiteral("color"), color);
    for (const char* name : {"background-color", "background-image", "background-attachment",
                             "background-repeat", "background-position"})
        d.Remove(QString::fromLatin1(name));
    QStringList parts;
    const QString back = StyleColorText(background);
    if (!back.isEmpty())
        parts << back;
    if (!image.isEmpty())
        parts << StyleUrlText(image, false);
    if (repeat > 0)
        parts << ValueListText(QStringLiteral("background-repeat"), Repeats(), repeat);
    if (fixed)
        parts << QStringLiteral("fixed");
    if (!PositionText().isEmpty())
        parts << PositionText();
    d.Set(QStringLiteral("background"), parts.join(u' '));
}

void CStyleColorPage::Update(CStyleDeclList& d, const QStringList& changed) const
{
    if (changed.contains(QStringLiteral("color")))
        d.SetEffective(QStringLiteral("color"), StyleColorText(color));
    const QStringList fields{"background-color",      "background-image",
                             "background-repeat",     "background-attachment",
                             "background-position-x", "background-position-y"};
    bool any = false;
    for (const QString& f : fields)
        any = any || changed.contains(f);
    if (!any)
        return;
    if (!d.HasGroup(QStringLiteral("background"))) {
        CStyleDeclList group;
        Write(group);
        d.SetEffective(QStringLiteral("background"), group.Get(QStringLiteral("background")));
        return;
    }
    const QStringList shorthand{QStringLiteral("background")};
    if (changed.contains(fields[0])) {
        const QString t = StyleColorText(background);
        WriteStylePart(
            d, fields[0], shorthand,
            [](QStringView token) { return IsStyleColorToken(token.toString()); }, t, t);
    }
    if (changed.contains(fields[1]))
        WriteStylePart(
            d, fields[1], shorthand,
            [](QStringView token) { return token.startsWith(u"url(", Qt::CaseInsensitive); },
            image.isEmpty() ? QString() : StyleUrlText(image, false),
            image.isEmpty() ? QString() : StyleUrlText(image, true));
    if (changed.contains(fields[2])) {
        const QString t = ValueListText(fields[2], Repeats(), repeat);
        WriteStylePart(
            d, fields[2], shorthand,
            [](QStringView token) {
                return StyleListIndex(
                           {"repeat", "repeat-x", "repeat-y", "no-repeat", "space", "round"},
                           token.toString())
                       >= 0;
            },
            t, t);
    }
    if (changed.contains(fields[3])) {
        const QString t = fixed ? QStringLiteral("fixed") : QString();
        WriteStylePart(
            d, QStringLiteral("background-attachment"), shorthand,
            [](QStringView token) { return token.compare(u"fixed", Qt::CaseInsensitive) == 0; }, t,
            t);
    }
    if (changed.contains(fields[4]) || changed.contains(fields[5])) {
        const QString kPosition = QStringLiteral("background-position");
        const int at = d.Effective({kPosition, QStringLiteral("background")});
        if (at < 0 || d.Items()[at].name.compare(kPosition, Qt::CaseInsensitive) == 0) {
            d.SetEffective(kPosition, PositionText());
        } else if (!PositionText().isEmpty()) {
            // A position is two tokens (or more) of the shorthand: the
            // longhand after it sets it whole.
            d.Override(kPosition, PositionText(), at);
        } else {
            auto isPosition = [](QStringView token) {
                return StyleListIndex(Horizontals(), token.toString()) >= 0
                       || StyleListIndex(Verticals(), token.toString()) >= 0;
            };
            QString value = d.Items()[at].value;
            // A size ("/ cover") needs a position before it: the position
            // becomes the initial one instead of going.
            const std::vector<StyleToken> tokens = StyleValueTokens(value);
            qsizetype first = -1, last = -1;
            for (size_t i = 0; i < tokens.size(); ++i) {
                if (!isPosition(tokens[i].Text(value)))
                    continue;
                if (first < 0)
                    first = static_cast<qsizetype>(i);
                last = static_cast<qsizetype>(i);
            }
            const bool sized = last >= 0 && last + 1 < qsizetype(tokens.size())
                               && tokens[last + 1].Text(value).startsWith(u'/');
            bool found = !sized;
            if (sized)
                value.replace(tokens[first].start, tokens[last].end - tokens[first].start,
                              QStringLiteral("0 0"));
            while (found)
                value = EditStyleToken(value, isPosition, QString(), &found, false);
            if (value.trimmed().isEmpty())
                d.RemoveAt(at);
            else
                d.At(at).value = value;
        }
    }
}

void CStyleColorPage::AddFields(FormModel& form, const StylePageContext& context)
{
    Add(form, FieldKind::Color, QStringLiteral("色(&C):"), QStringLiteral("color")).text = color;
    Add(form, FieldKind::Color, QStringLiteral("背景色(&D):"), QStringLiteral("background-color"))
        .text = background;
    AddImage(form, QStringLiteral("背景画像(&U):"), QStringLiteral("background-image"), image,
             context);
    AddChoice(form, QStringLiteral("背景画像の繰り返し"), QStringLiteral("background-repeat"),
              {QStringLiteral("指定しない"), QStringLiteral("横方向"), QStringLiteral("縦方向"),
               QStringLiteral("繰り返しなし")},
              repeat);
    AddChoice(form, QStringLiteral("背景画像の横位置"), QStringLiteral("background-position-x"),
              {QStringLiteral("指定しない"), QStringLiteral("左端"), QStringLiteral("中央"),
               QStringLiteral("右端")},
              horizontal);
    AddChoice(form, QStringLiteral("背景画像の縦位置"), QStringLiteral("background-position-y"),
              {QStringLiteral("指定しない"), QStringLiteral("上端"), QStringLiteral("中央"),
               QStringLiteral("下端")},
              vertical);
    Add(form, FieldKind::Flag, QStringLiteral("背景画像固定(&F)"),
        QStringLiteral("background-attachment"))
        .checked = fixed;
}

void CStyleColorPage::StoreFields(const FormModel& form)
{
    color = Text(form, QStringLiteral("color"));
    background = Text(form, QStringLiteral("background-color"));
    image = Text(form, QStringLiteral("background-image")).trimmed();
    repeat = Index(form, QStringLiteral("background-repeat"));
    horizontal = Index(form, QStringLiteral("background-position-x"));
    vertical = Index(form, QStringLiteral("background-position-y"));
    fixed = Checked(form, QStringLiteral("background-attachment"));
}
