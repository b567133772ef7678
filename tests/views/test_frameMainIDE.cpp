#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "testsupport/TestSupport.h"
#include "views/u_CardMemo.h"
#include "views/u_frameMainIDE.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <QUrl>

#include <memory>
#include <vector>

// Catches what the card hands to the desktop instead of starting a browser.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    UrlCatcher() {
        for (const char* scheme : kSchemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override {
        for (const char* scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    // Also the schemes the card must never open, so that a fault shows here
    // instead of reaching the desktop.
    static constexpr const char* kSchemes[] = {"http", "https", "mailto",
                                               "file", "smb",   "javascript"};
    QStringList opened;

  public slots:
    void open(const QUrl& url) { opened << QString::fromUtf8(url.toEncoded()); }
};

// Gives the titles another language, as a language module would.
class CzechTitles : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char* = nullptr,
                      int = -1) const override {
        if (QByteArray(context) == "ContactSchema" && QByteArray(source) == "Surname")
            return QString::fromUtf8("Příjmení");
        if (QByteArray(context) == "ContactSchema" && QByteArray(source) == "Phone (work)")
            return QString::fromUtf8("Telefon (práce)");
        return {};
    }
    bool isEmpty() const override { return false; }
};

class TestFrameMainIDE : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void catalogueLists();
    void fieldsAndLabels_data();
    void fieldsAndLabels();
    void fieldKinds_data();
    void fieldKinds();
    void fieldIndexOfFindsEveryField();
    void fieldTextRoundTrips_data();
    void fieldTextRoundTrips();
    void lineBreakStyleOfStoredValueIsKept();
    void typingInAnyFieldSignalsAChange_data();
    void typingInAnyFieldSignalsAChange();
    void programChangesSignalToo();
    void zipCodeRefusesSeventhCharacter_data();
    void zipCodeRefusesSeventhCharacter();
    void longStoredZipCodeIsShownWhole();
    void enterInIcqBreaksTheLine();
    void enterInHobbyInsertsNothing();
    void goButtons_data();
    void goButtons();
    void showFieldBringsItsPage_data();
    void showFieldBringsItsPage();
    void showFieldOutsidePagesKeepsPage();
    void applyCardSettingsOnlyAtStartUp();
    void fieldsCanBeDisabledAndCleared();
    void keyboardOrder();
    void layoutHasNoOverlaps_data();
    void layoutHasNoOverlaps();
    void titlesFollowTheLanguage();

  private:
    QTabWidget* tabs() const { return frame->findChild<QTabWidget*>("tabMain"); }
    QWidget* edit(const char* name) const { return frame->findChild<QWidget*>(name); }
    void showActive();

    std::unique_ptr<TframeMainIDE> frame;
};

void TestFrameMainIDE::init() {
    frame = std::make_unique<TframeMainIDE>();
    frame->resize(413, 470);
}

void TestFrameMainIDE::cleanup() {
    frame.reset();
}

void TestFrameMainIDE::showActive() {
    frame->show();
    QApplication::setActiveWindow(frame.get());
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
}

void TestFrameMainIDE::catalogueLists() {
    // The catalogue lives in the session; the card shows its short titles.
    const TContactsSession session(QStringLiteral("2.7.1.0"));
    const TColumnCatalogue& c = session.Columns();
    QCOMPARE(c.lstDBColsName, ContactSchema::ColumnNames());
    QCOMPARE(c.lstDBColsTitle, ContactSchema::ColumnTitles());
    QCOMPARE(c.lstDBColsTitleFull, ContactSchema::ColumnTitlesFull());
    QCOMPARE(ContactSchema::ColumnNames_2_5_2().size(), 28);
    QCOMPARE(c.lstDBColsName.size(), 32);
    QCOMPARE(c.lstDBColsTitle.size(), 32);
    QCOMPARE(c.lstDBColsTitleFull.size(), 32);
    QCOMPARE(c.lstDBColsIndexFromProgram.size(), 32);
    QCOMPARE(c.lstDBColsIndexFromDB.size(), 32);
    for (int i = 0; i < 32; ++i) {
        QCOMPARE(c.lstDBColsIndexFromProgram.at(i), i);
        QCOMPARE(c.lstDBColsIndexFromDB.at(i), i);
        QCOMPARE(frame->fieldLabel(i)->text(), c.lstDBColsTitle.at(i) + u':');
    }
    QCOMPARE(c.lstDBColsName.first(), QString("SurName"));
    QCOMPARE(c.lstDBColsName.last(), QString("Notes"));
    QCOMPARE(c.lstDBColsTitleFull.at(25), QString("Phone (work)"));
}

void TestFrameMainIDE::fieldsAndLabels_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("caption");
    const char* rows[][2] = {
        {"SurName", "Surname:"},      {"FirstName", "Firstname:"},   {"Home_Nick", "Nick:"},
        {"Home_Address", "Address:"}, {"Home_Town", "Town:"},        {"Home_City", "City:"},
        {"Home_PSC", "ZipCode:"},     {"Home_Country", "Country:"},  {"Home_Phone", "Phone:"},
        {"Home_Fax", "Fax:"},         {"Home_WWW", "Internet:"},     {"Home_Email", "E-mail:"},
        {"Home_ICQ", "ICQ:"},         {"Home_Hobby", "Hobby:"},      {"Home_Misc", "Misc:"},
        {"Work_Company", "Company:"}, {"Work_CompanyDesc", "Desc:"}, {"Work_Position", "Position:"},
        {"Work_Address", "Address:"}, {"Work_Town", "Town:"},        {"Work_City", "City:"},
        {"Work_PSC", "ZipCode:"},     {"Work_Country", "Country:"},  {"Work_ICO", "ICO:"},
        {"Work_DIC", "DIC:"},         {"Work_Phone", "Phone:"},      {"Work_Fax", "Fax:"},
        {"Work_WWW", "Internet:"},    {"Work_Email", "E-mail:"},     {"Work_ICQ", "ICQ:"},
        {"Work_Misc", "Misc:"},       {"Notes", "Notes:"},
    };
    int index = 0;
    for (const auto& row : rows)
        QTest::newRow(row[0]) << index++ << QString(row[0]) << QString(row[1]);
}

void TestFrameMainIDE::fieldsAndLabels() {
    QFETCH(int, index);
    QFETCH(QString, suffix);
    QFETCH(QString, caption);
    QVERIFY(frame->fieldEdit(index) != nullptr);
    QCOMPARE(frame->fieldEdit(index)->objectName(), "txtFields_" + suffix);
    QCOMPARE(frame->fieldLabel(index)->objectName(), "lblFields_" + suffix);
    QCOMPARE(frame->fieldLabel(index)->text(), caption);
}

void TestFrameMainIDE::fieldKinds_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("lines");  // 0: single line; -1: fills the notes area
    QTest::addColumn<bool>("wraps");
    QTest::addColumn<bool>("wantReturns");
    const int multi[][4] = {
        // A phone or fax number is never broken across lines (one long
        // number would look like two); each line is a number of its own.
        {ContactSchema::Home_Address, 3, 1, 1}, {ContactSchema::Home_Tel, 3, 0, 1},
        {ContactSchema::Home_Fax, 1, 0, 1},     {ContactSchema::Home_ICQ, 1, 0, 1},
        {ContactSchema::Home_Hobby, 3, 1, 0},   {ContactSchema::Work_Address, 3, 1, 1},
        {ContactSchema::Work_Tel, 3, 0, 1},     {ContactSchema::Work_Fax, 1, 0, 1},
        {ContactSchema::Work_ICQ, 1, 0, 1},     {ContactSchema::Notes, -1, 1, 1},
    };
    for (int i = 0; i < 32; ++i) {
        int lines = 0;
        bool wraps = false;
        bool returns = false;
        for (const auto& row : multi) {
            if (row[0] == i) {
                lines = row[1];
                wraps = row[2] != 0;
                returns = row[3] != 0;
            }
        }
        QTest::addRow("%d", i) << i << lines << wraps << returns;
    }
}

void TestFrameMainIDE::fieldKinds() {
    QFETCH(int, index);
    QFETCH(int, lines);
    QFETCH(bool, wraps);
    QFETCH(bool, wantReturns);
    QWidget* field = frame->fieldEdit(index);
    if (lines == 0) {
        QVERIFY(qobject_cast<QLineEdit*>(field) != nullptr);
        return;
    }
    auto* memo = qobject_cast<TCardMemo*>(field);
    QVERIFY(memo != nullptr);
    QCOMPARE(memo->visibleLines(), std::max(lines, 0));
    QCOMPARE(memo->lineWrapMode() == QPlainTextEdit::WidgetWidth, wraps);
    QCOMPARE(memo->wantReturns(), wantReturns);
    QVERIFY(memo->tabChangesFocus());
    if (lines > 0)
        QCOMPARE(memo->height(), memo->heightForLines(lines));
}

void TestFrameMainIDE::fieldIndexOfFindsEveryField() {
    for (int i = 0; i < 32; ++i)
        QCOMPARE(frame->fieldIndexOf(frame->fieldEdit(i)), i);
    QCOMPARE(frame->fieldIndexOf(nullptr), -1);
    QCOMPARE(frame->fieldIndexOf(frame->fieldLabel(3)), -1);
    QCOMPARE(frame->fieldIndexOf(frame.get()), -1);
    QVERIFY(frame->fieldEdit(-1) == nullptr);
    QVERIFY(frame->fieldEdit(32) == nullptr);
    QCOMPARE(frame->fieldText(32), QString());
    frame->setFieldText(-1, "ignored");  // out of range does nothing
}

void TestFrameMainIDE::fieldTextRoundTrips_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("plain") << "Nováková";
    QTest::newRow("line breaks") << "first\nsecond\nthird";
    QTest::newRow("CR LF line breaks") << "first\r\nsecond\r\n";
    QTest::newRow("blanks kept") << "  padded  ";
    QTest::newRow("long") << QString(40000, QChar('x'));
}

// The whole text is the cell value, also in single-line fields and beyond
// any typing limit: nothing is lost between a refresh and a save.
void TestFrameMainIDE::fieldTextRoundTrips() {
    QFETCH(QString, text);
    for (int i = 0; i < 32; ++i) {
        frame->setFieldText(i, text);
        QCOMPARE(frame->fieldText(i), text);
    }
}

void TestFrameMainIDE::lineBreakStyleOfStoredValueIsKept() {
    showActive();
    const int address = ContactSchema::Home_Address;
    frame->setFieldText(address, "Dlouhá 12\r\nByt 4");
    frame->ShowField(address);
    auto* memo = qobject_cast<QPlainTextEdit*>(frame->fieldEdit(address));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "Praha");
    QCOMPARE(frame->fieldText(address), QString::fromUtf8("Dlouhá 12\r\nByt 4\r\nPraha"));
    frame->setFieldText(address, "a\nb");
    QCOMPARE(frame->fieldText(address), QString("a\nb"));
}

void TestFrameMainIDE::typingInAnyFieldSignalsAChange_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < 32; ++i)
        QTest::addRow("%s", qPrintable(ContactSchema::ColumnNames().at(i))) << i;
}

void TestFrameMainIDE::typingInAnyFieldSignalsAChange() {
    QFETCH(int, index);
    showActive();
    frame->ShowField(index);
    QSignalSpy changed(frame.get(), &TframeMainIDE::fieldTextChanged);
    QTest::keyClicks(frame->fieldEdit(index), "ab");
    QCOMPARE(changed.count(), 2);
    QCOMPARE(frame->fieldText(index), QString("ab"));
}

void TestFrameMainIDE::programChangesSignalToo() {
    QSignalSpy changed(frame.get(), &TframeMainIDE::fieldTextChanged);
    frame->setFieldText(ContactSchema::Home_PSC, "12345");
    frame->setFieldText(ContactSchema::Notes, "note");
    QCOMPARE(changed.count(), 2);
}

void TestFrameMainIDE::zipCodeRefusesSeventhCharacter_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("home") << int(ContactSchema::Home_PSC);
    QTest::newRow("work") << int(ContactSchema::Work_PSC);
}

void TestFrameMainIDE::zipCodeRefusesSeventhCharacter() {
    QFETCH(int, index);
    showActive();
    frame->ShowField(index);
    QTest::keyClicks(frame->fieldEdit(index), "1234567");
    QCOMPARE(frame->fieldText(index), QString("123456"));
}

// A longer value from the database (an import, another program) stays whole;
// the limit only keeps the user from making it longer.
void TestFrameMainIDE::longStoredZipCodeIsShownWhole() {
    showActive();
    const int zip = ContactSchema::Home_PSC;
    frame->setFieldText(zip, "12345678");
    QCOMPARE(frame->fieldText(zip), QString("12345678"));
    frame->ShowField(zip);
    auto* line = qobject_cast<QLineEdit*>(frame->fieldEdit(zip));
    line->end(false);
    QTest::keyClicks(line, "9");
    QCOMPARE(frame->fieldText(zip), QString("12345678"));
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, "9");
    QCOMPARE(frame->fieldText(zip), QString("123456"));

    frame->setFieldText(zip, "");
    QTest::keyClicks(line, "abcdefg");
    QCOMPARE(frame->fieldText(zip), QString("abcdef"));
}

void TestFrameMainIDE::enterInIcqBreaksTheLine() {
    showActive();
    for (int icq : {int(ContactSchema::Home_ICQ), int(ContactSchema::Work_ICQ)}) {
        frame->ShowField(icq);
        QTest::keyClicks(frame->fieldEdit(icq), "12");
        QTest::keyClick(frame->fieldEdit(icq), Qt::Key_Return);
        QTest::keyClicks(frame->fieldEdit(icq), "34");
        QCOMPARE(frame->fieldText(icq), QString("12\n34"));
    }
}

void TestFrameMainIDE::enterInHobbyInsertsNothing() {
    showActive();
    const int hobby = ContactSchema::Home_Hobby;
    frame->ShowField(hobby);
    QTest::keyClicks(frame->fieldEdit(hobby), "golf");
    QTest::keyClick(frame->fieldEdit(hobby), Qt::Key_Return);
    QTest::keyClick(frame->fieldEdit(hobby), Qt::Key_Enter);
    QTest::keyClicks(frame->fieldEdit(hobby), " chess");
    QCOMPARE(frame->fieldText(hobby), QString("golf chess"));
    QCOMPARE(frame->fieldEdit(hobby), QApplication::focusWidget());
}

void TestFrameMainIDE::goButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opened");  // empty: nothing opened
    QTest::addColumn<bool>("warned");     // refused with a message
    struct Button {
        const char* name;
        int field;
        bool mail;
    };
    const Button buttons[] = {
        {"cmdFields_Home_WWW", ContactSchema::Home_WWW, false},
        {"cmdFields_Work_WWW", ContactSchema::Work_WWW, false},
        {"cmdFields_Home_Email", ContactSchema::Home_Email, true},
        {"cmdFields_Work_Email", ContactSchema::Work_Email, true},
    };
    for (const Button& b : buttons) {
        auto row = [&](const char* what, const char* text, const char* opened,
                       bool warned = false) {
            QTest::addRow("%s %s", b.name, what)
                << QString(b.name) << b.field << QString(text) << QString(opened) << warned;
        };
        row("blanks", "   ", "");
        row("empty", "", "");
        if (b.mail) {
            row("address", " jan@orvane.cz ", "mailto:jan@orvane.cz");
            row("mailto", "mailto:jan@orvane.cz", "mailto:mailto:jan@orvane.cz");
            row("attachment", "a@b?attach=/home/u/.ssh/id_rsa", "mailto:a@b");
            row("no address", "?attach=/home/u/.ssh/id_rsa", "", true);
        } else {
            row("host", "  www.orvane.cz ", "http://www.orvane.cz");
            row("https", "https://www.orvane.cz/a", "https://www.orvane.cz/a");
            row("http", "http://orvane.cz", "http://orvane.cz");
            row("file", "file:///home/u/x.desktop?http://", "", true);
            row("smb", "smb://host/share#http://", "", true);
            row("javascript", "javascript:alert(1)", "", true);
            row("no host", "http://", "", true);
        }
    }
}

void TestFrameMainIDE::goButtons() {
    QFETCH(QString, button);
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, opened);
    QFETCH(bool, warned);
    MessageRecorder messages;
    UrlCatcher catcher;
    frame->setFieldText(field, text);
    auto* go = frame->findChild<QPushButton*>(button);
    QVERIFY(go != nullptr);
    QCOMPARE(go->text(), QString("Go"));
    go->click();
    QCOMPARE(catcher.opened, opened.isEmpty() ? QStringList() : QStringList{opened});
    QCOMPARE(messages.messages().size(), size_t(warned ? 1 : 0));
    if (warned) {
        QCOMPARE(messages.messages().front().type, MsgType::Warning);
        QVERIFY(messages.messages().front().text.contains(text));
    }
}

void TestFrameMainIDE::showFieldBringsItsPage_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("page");
    for (int i = 2; i <= 14; ++i)
        QTest::addRow("%d", i) << i << 0;
    for (int i = 15; i <= 30; ++i)
        QTest::addRow("%d", i) << i << 1;
}

void TestFrameMainIDE::showFieldBringsItsPage() {
    QFETCH(int, index);
    QFETCH(int, page);
    showActive();
    tabs()->setCurrentIndex(1 - page);
    frame->ShowField(index);
    QCOMPARE(tabs()->currentIndex(), page);
    QCOMPARE(frame->currentPage(), page);
    QTRY_COMPARE(QApplication::focusWidget(), frame->fieldEdit(index));
}

void TestFrameMainIDE::showFieldOutsidePagesKeepsPage() {
    showActive();
    for (int page : {0, 1}) {
        for (int index : {0, 1, 31}) {
            tabs()->setCurrentIndex(page);
            frame->ShowField(index);
            QCOMPARE(tabs()->currentIndex(), page);
            QTRY_COMPARE(QApplication::focusWidget(), frame->fieldEdit(index));
        }
    }
    frame->ShowField(-1);
    frame->ShowField(32);
    // A disabled field is shown but cannot take the focus.
    frame->setFieldsEnabled(false);
    tabs()->setCurrentIndex(0);
    frame->ShowField(ContactSchema::Work_Misc);
    QCOMPARE(tabs()->currentIndex(), 1);
}

void TestFrameMainIDE::applyCardSettingsOnlyAtStartUp() {
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(tabs()->widget(0)->objectName(), QString("tsHome"));
    QCOMPARE(tabs()->widget(1)->objectName(), QString("tsWork"));
    QCOMPARE(tabs()->tabText(0), QString("H&ome"));
    QCOMPARE(tabs()->tabText(1), QString("&Work"));
    frame->ApplyCardSettings(TSettingsOccasion::StartUp, 1);
    QCOMPARE(tabs()->currentIndex(), 1);
    frame->ApplyCardSettings(TSettingsOccasion::Manual, 0);
    QCOMPARE(tabs()->currentIndex(), 1);
    frame->ApplyCardSettings(TSettingsOccasion::StartUp, 0);
    QCOMPARE(tabs()->currentIndex(), 0);
    frame->ApplyCardSettings(TSettingsOccasion::StartUp, 7);
    QCOMPARE(tabs()->currentIndex(), 0);
    frame->ApplyCardSettings(TSettingsOccasion::StartUp, -1);
    QCOMPARE(tabs()->currentIndex(), 0);
}

void TestFrameMainIDE::fieldsCanBeDisabledAndCleared() {
    for (int i = 0; i < 32; ++i)
        frame->setFieldText(i, "x");
    frame->setFieldsEnabled(false);
    frame->clearFields();
    for (int i = 0; i < 32; ++i) {
        QVERIFY(!frame->fieldEdit(i)->isEnabled());
        QCOMPARE(frame->fieldText(i), QString());
    }
    const auto buttons = frame->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 4);
    for (QPushButton* button : buttons)
        QVERIFY(!button->isEnabled());
    frame->setFieldsEnabled(true);
    for (int i = 0; i < 32; ++i)
        QVERIFY(frame->fieldEdit(i)->isEnabled());
    for (QPushButton* button : buttons)
        QVERIFY(button->isEnabled());
}

void TestFrameMainIDE::keyboardOrder() {
    const QStringList expected = {
        "txtFields_SurName",          "txtFields_FirstName",    "txtFields_Home_Nick",
        "txtFields_Home_Address",     "txtFields_Home_Town",    "txtFields_Home_City",
        "txtFields_Home_PSC",         "txtFields_Home_Country", "txtFields_Home_Phone",
        "txtFields_Home_Fax",         "txtFields_Home_ICQ",     "txtFields_Home_WWW",
        "cmdFields_Home_WWW",         "txtFields_Home_Email",   "cmdFields_Home_Email",
        "txtFields_Home_Hobby",       "txtFields_Home_Misc",    "txtFields_Work_Company",
        "txtFields_Work_CompanyDesc", "txtFields_Work_Address", "txtFields_Work_Town",
        "txtFields_Work_City",        "txtFields_Work_PSC",     "txtFields_Work_Country",
        "txtFields_Work_ICO",         "txtFields_Work_DIC",     "txtFields_Work_Phone",
        "txtFields_Work_Fax",         "txtFields_Work_ICQ",     "txtFields_Work_WWW",
        "cmdFields_Work_WWW",         "txtFields_Work_Email",   "cmdFields_Work_Email",
        "txtFields_Work_Position",    "txtFields_Work_Misc",    "txtFields_Notes",
    };
    QStringList chain;
    QWidget* w = frame->fieldEdit(0);
    for (int steps = 0; steps < 1000; ++steps) {
        const QString name = w->objectName();
        if ((name.startsWith("txtFields_") || name.startsWith("cmdFields_")) &&
            !chain.contains(name))
            chain << name;
        w = w->nextInFocusChain();
        if (w == frame->fieldEdit(0))
            break;
    }
    QCOMPARE(chain, expected);

    // Tab walks the visible page in that order.
    showActive();
    frame->ShowField(ContactSchema::Home_Tel);
    for (const char* next : {"txtFields_Home_Fax", "txtFields_Home_ICQ", "txtFields_Home_WWW",
                             "cmdFields_Home_WWW", "txtFields_Home_Email"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(next));
    }
}

void TestFrameMainIDE::layoutHasNoOverlaps_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("size");
    for (int page : {0, 1}) {
        for (QSize size : {QSize(413, 470), QSize(1000, 760), QSize(1600, 500)})
            QTest::addRow("page %d %dx%d", page, size.width(), size.height()) << page << size;
    }
}

// Labels, fields and buttons of the visible page and the strips never cover
// each other, stay inside the card, and the name strip splits at the middle.
void TestFrameMainIDE::layoutHasNoOverlaps() {
    QFETCH(int, page);
    QFETCH(QSize, size);
    frame->resize(size);
    tabs()->setCurrentIndex(page);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    QCoreApplication::processEvents();

    std::vector<QWidget*> widgets;
    for (int i = 0; i < 32; ++i) {
        widgets.push_back(frame->fieldEdit(i));
        widgets.push_back(frame->fieldLabel(i));
    }
    for (QPushButton* button : frame->findChildren<QPushButton*>())
        widgets.push_back(button);
    std::vector<std::pair<QString, QRect>> shown;
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(frame.get()))
            continue;
        const QRect r(w->mapTo(frame.get(), QPoint(0, 0)), w->size());
        QVERIFY2(frame->rect().contains(r), qPrintable(w->objectName()));
        QVERIFY2(r.width() > 0 && r.height() > 0, qPrintable(w->objectName()));
        shown.emplace_back(w->objectName(), r);
    }
    QVERIFY(shown.size() > 20);
    for (size_t a = 0; a < shown.size(); ++a) {
        for (size_t b = a + 1; b < shown.size(); ++b) {
            QVERIFY2(!shown[a].second.intersects(shown[b].second),
                     qPrintable(shown[a].first + " covers " + shown[b].first));
        }
    }
    const int middle = frame->width() / 2;
    const QWidget* surname = frame->fieldEdit(0);
    const QWidget* firstLabel = frame->fieldLabel(1);
    QVERIFY(surname->mapTo(frame.get(), QPoint(surname->width(), 0)).x() < middle);
    QVERIFY(qAbs(firstLabel->mapTo(frame.get(), QPoint(0, 0)).x() - middle) <= 12);
    // The notes take the room that is left.
    QVERIFY(frame->fieldEdit(ContactSchema::Notes)->height() >=
            qobject_cast<TCardMemo*>(frame->fieldEdit(ContactSchema::Notes))->heightForLines(1));
}

void TestFrameMainIDE::titlesFollowTheLanguage() {
    CzechTitles czech;
    QCoreApplication::installTranslator(&czech);
    QCoreApplication::processEvents();
    // The main window has the session re-read its titles on a language change.
    TContactsSession session(QStringLiteral("2.7.1.0"));
    session.RetranslateTitles();
    QCOMPARE(session.Columns().lstDBColsTitle.at(0), QString::fromUtf8("Příjmení"));
    QCOMPARE(session.Columns().lstDBColsTitleFull.at(0), QString::fromUtf8("Příjmení"));
    QCOMPARE(session.Columns().lstDBColsTitleFull.at(25), QString::fromUtf8("Telefon (práce)"));
    QCOMPARE(frame->fieldLabel(0)->text(), QString::fromUtf8("Příjmení:"));
    QCOMPARE(session.Columns().lstDBColsName.at(0), QString("SurName"));
    QCoreApplication::removeTranslator(&czech);
    QCoreApplication::processEvents();
    session.RetranslateTitles();
    QCOMPARE(frame->fieldLabel(0)->text(), QString("Surname:"));
    QCOMPARE(session.Columns().lstDBColsTitleFull.at(25), QString("Phone (work)"));
}

QTEST_MAIN(TestFrameMainIDE)
#include "test_frameMainIDE.moc"
