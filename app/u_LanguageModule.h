#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QLocale;
class QTranslator;

// Locale ids of the languages the Language menu offers.
namespace LocaleId {
inline constexpr int Czech = 5;
inline constexpr int English = 2057;  // 0x0809, British English
}  // namespace LocaleId

// The abbreviated language name of a locale id, as the module files carry it
// in their names ("CSY", "ENG"); the empty text for an id the program does not
// know.
QString LanguageCodeOfLocaleId(int localeId);

// The abbreviated language name of a locale: "CSY" for Czech, "ENG" for
// British and "ENU" for American English; any other language gives its
// two-letter name in capitals, which is also the second name a module is
// looked for under.
QString LanguageCodeOfLocale(const QLocale& locale);

// The locale id the start-up rule looks at: 5 for Czech, 2057 for British
// English, 0 for any other locale.
int LocaleIdOfLocale(const QLocale& locale);

// The files that may hold the module of a language code, in the order they are
// tried: beside the executable its name + "." + the code (at most four
// characters), then + "." + the first two letters; then the same in the
// installed program's data folder (<prefix>/share/<name>/). Empty for an empty
// code or path.
QStringList LanguageModuleFiles(const QString& executablePath, const QString& code);

// One loaded language module: the translations of a module file and Qt's own
// translations of its language (standard buttons, file dialogs). While it is
// installed, every translated text of the program comes from it; destroying
// it uninstalls it.
class TLanguageModule {
  public:
    // Reads the file at exactly this path (no other name is tried). nullptr
    // when it is missing, larger than MaxFileSize or not a translation file
    // that names its language.
    static std::unique_ptr<TLanguageModule> Open(const QString& path);
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    ~TLanguageModule();
    TLanguageModule(const TLanguageModule&) = delete;
    TLanguageModule& operator=(const TLanguageModule&) = delete;

    // Makes the module the source of the program's texts.
    void Install();

    const QString& Path() const { return path_; }
    // The module's language as the translation file names it ("cs_CZ").
    QString Language() const;

  private:
    TLanguageModule();

    QString path_;
    QByteArray data_;  // the translator reads from these bytes while it lives
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QTranslator> qtTranslator_;
    bool installed_ = false;
};
