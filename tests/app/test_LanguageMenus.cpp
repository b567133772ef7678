#include "app/Pellum.h"
#include "app/u_Language.h"
#include "app/u_frmMain.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

#include <map>

namespace {

// The accelerator of a menu text ("&&" is a plain "&"), lower case; none: 0.
QChar acceleratorOf(QString text) {
    text.remove(QStringLiteral("&&"));
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
}

struct MenuEntry {
    QString menu;
    QString text;
    QString english;
};

// Every reachable (visible) entry of the menu bar and its menus, keyed by the
// menu that shows it.
void collect(const QString& menu, const QList<QAction*>& actions,
             std::multimap<QString, QAction*>& entries) {
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible()) {
            continue;
        }
        entries.emplace(menu, action);
        if (action->menu() != nullptr) {
            collect(menu + u'/' + action->text(), action->menu()->actions(), entries);
        }
    }
}

// Every entry's accelerator letter, by the menu that shows it.
std::map<QString, std::map<QChar, QStringList>> keysOf(
    const std::multimap<QString, QAction*>& entries) {
    std::map<QString, std::map<QChar, QStringList>> keys;
    for (const auto& [menu, action] : entries) {
        const QChar key = acceleratorOf(action->text());
        if (!key.isNull()) {
            keys[menu][key] << action->text();
        }
    }
    return keys;
}

// Entries of one menu that share an accelerator, and entries without one.
QStringList problemsOf(const std::multimap<QString, QAction*>& entries) {
    QStringList problems;
    for (const auto& [menu, byKey] : keysOf(entries)) {
        for (const auto& [key, texts] : byKey) {
            if (texts.size() > 1) {
                problems << menu + QStringLiteral(": ") + texts.join(QStringLiteral(", "));
            }
        }
    }
    for (const auto& [menu, action] : entries) {
        if (acceleratorOf(action->text()).isNull()) {
            problems << menu + QStringLiteral(": no accelerator: ") + action->text();
        }
    }
    return problems;
}

}  // namespace

// The accelerators of the real menus in English and in Czech: every entry has
// one, no two entries of one menu share one, and no entry is left in English.
class TestLanguageMenus : public QObject {
    Q_OBJECT

  private slots:
    void menusHaveDistinctAccelerators() {
        MessageRecorder messages;
        apptest::ClearSettings();
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        std::map<QAction*, QString> english;
        std::multimap<QString, QAction*> entries;
        // The main menu and the menu bars of the views (the template editor's).
        for (QMenuBar* bar : main.findChildren<QMenuBar*>()) {
            collect(bar->objectName(), bar->actions(), entries);
        }
        // The context menu of the card and the table.
        QMenu* contacts = main.Card().contextMenu();
        QVERIFY(contacts != nullptr);
        QCOMPARE(main.Grid().contextMenu(), contacts);
        collect(contacts->objectName(), contacts->actions(), entries);
        for (const auto& [menu, action] : entries) {
            english[action] = action->text();
        }
        QVERIFY(entries.size() > 40);
        const QStringList inEnglish = problemsOf(entries);
        QVERIFY2(inEnglish.isEmpty(), qPrintable(inEnglish.join(u'\n')));

        // The built module beside the built program.
        QVERIFY(LoadLanguageModuleOfCode(QStringLiteral("CSY"),
                                         QStringLiteral(PELLUM_MODULE_DIR "/pellum")));
        ReloadFormTexts();

        for (const auto& [menu, action] : entries) {
            static const QRegularExpression recent(QStringLiteral("^&\\d\\. "));
            if (!recent.match(action->text()).hasMatch()) {
                QVERIFY2(action->text() != english[action],
                         qPrintable(menu + QStringLiteral(": still English: ") + action->text()));
            }
        }
        const QStringList inCzech = problemsOf(entries);
        QVERIFY2(inCzech.isEmpty(), qPrintable(inCzech.join(u'\n')));
        UnloadLanguageModule();
    }
};

QTEST_MAIN(TestLanguageMenus)
#include "test_LanguageMenus.moc"
