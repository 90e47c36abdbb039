#include "TestRegistry.h"

#include "gui/QtTranslation.h"

#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(UiLanguage)

// The interface's language follows the locale: English for any language
// but Japanese, Japanese for Japanese and for no locale at all.
class TestUiLanguage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void language_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<UiLanguage>("language");
        QTest::newRow("English") << "en_US" << UiLanguage::English;
        QTest::newRow("British") << "en_GB" << UiLanguage::English;
        QTest::newRow("German") << "de_DE" << UiLanguage::English;
        QTest::newRow("Japanese") << "ja_JP" << UiLanguage::Japanese;
        QTest::newRow("C") << "C" << UiLanguage::Japanese;
        QTest::newRow("POSIX") << "POSIX" << UiLanguage::Japanese;
    }
    void language()
    {
        QFETCH(QString, locale);
        QFETCH(UiLanguage, language);
        QCOMPARE(UiLanguageOf(QLocale(locale)), language);
    }
};
KELVO_TEST(TestUiLanguage, "UiLanguage");
#include "tst_UiLanguage.moc"
