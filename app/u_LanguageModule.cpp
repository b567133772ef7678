#include "app/u_LanguageModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>

namespace {

struct LocaleCode {
    int localeId;
    QLocale::Language language;
    QLocale::Territory territory;  // AnyTerritory: every territory of the language
    const char* code;
};

// The languages whose abbreviated names the program knows; the first entry of
// a language is its default.
constexpr std::array kLocaleCodes{
    LocaleCode{LocaleId::Czech, QLocale::Czech, QLocale::AnyTerritory, "CSY"},
    LocaleCode{1029, QLocale::Czech, QLocale::CzechRepublic, "CSY"},
    LocaleCode{LocaleId::English, QLocale::English, QLocale::UnitedKingdom, "ENG"},
    LocaleCode{1033, QLocale::English, QLocale::UnitedStates, "ENU"},
    LocaleCode{1051, QLocale::Slovak, QLocale::AnyTerritory, "SKY"},
    LocaleCode{1031, QLocale::German, QLocale::AnyTerritory, "DEU"},
};

// How many characters of a code count, and how many the second try keeps.
constexpr int kCodeLength = 4;
constexpr int kShortCodeLength = 2;

}  // namespace

QString LanguageCodeOfLocaleId(int localeId) {
    for (const auto& entry : kLocaleCodes) {
        if (entry.localeId == localeId) {
            return QString::fromLatin1(entry.code);
        }
    }
    return {};
}

QString LanguageCodeOfLocale(const QLocale& locale) {
    for (const auto& entry : kLocaleCodes) {
        if (entry.language == locale.language() && entry.territory == locale.territory()) {
            return QString::fromLatin1(entry.code);
        }
    }
    for (const auto& entry : kLocaleCodes) {
        if (entry.language == locale.language() && entry.territory == QLocale::AnyTerritory) {
            return QString::fromLatin1(entry.code);
        }
    }
    if (locale.language() == QLocale::C) {
        return {};
    }
    return locale.name().left(kShortCodeLength).toUpper();
}

int LocaleIdOfLocale(const QLocale& locale) {
    if (locale.language() == QLocale::Czech) {
        return LocaleId::Czech;
    }
    if (locale.language() == QLocale::English && locale.territory() == QLocale::UnitedKingdom) {
        return LocaleId::English;
    }
    return 0;
}

QStringList LanguageModuleFiles(const QString& executablePath, const QString& code) {
    const QString trimmed = code.left(kCodeLength);
    if (executablePath.isEmpty() || trimmed.isEmpty()) {
        return {};
    }
    const QFileInfo executable(executablePath);
    const QString name = executable.fileName();
    const QDir folder = executable.absoluteDir();
    const QString dataFolder =
        QDir::cleanPath(folder.filePath(QStringLiteral("../share/")) + u'/' + name);
    QStringList codes{trimmed};
    if (trimmed.size() > kShortCodeLength) {
        codes << trimmed.left(kShortCodeLength);
    }
    QStringList files;
    for (const QString& dir : {folder.absolutePath(), dataFolder}) {
        for (const QString& c : codes) {
            files << dir + u'/' + name + u'.' + c;
        }
    }
    return files;
}

TLanguageModule::TLanguageModule() : translator_(std::make_unique<QTranslator>()) {}

TLanguageModule::~TLanguageModule() {
    // A module released after the application object needs no removing.
    if (installed_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::removeTranslator(translator_.get());
        if (qtTranslator_) {
            QCoreApplication::removeTranslator(qtTranslator_.get());
        }
    }
}

std::unique_ptr<TLanguageModule> TLanguageModule::Open(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > MaxFileSize || !file.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    std::unique_ptr<TLanguageModule> module(new TLanguageModule());
    module->data_ = file.read(MaxFileSize + 1);
    if (module->data_.size() > MaxFileSize ||
        !module->translator_->load(reinterpret_cast<const uchar*>(module->data_.constData()),
                                   static_cast<int>(module->data_.size())) ||
        module->Language().isEmpty()) {
        // Every module the program is built with names its language; a file
        // that does not is no module of the program, whatever its signature.
        return nullptr;
    }
    module->path_ = path;
    // Qt's own texts in the module's language, where Qt carries them.
    const QString language = module->Language();
    if (!language.isEmpty()) {
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            module->qtTranslator_ = std::move(qt);
        }
    }
    return module;
}

void TLanguageModule::Install() {
    if (installed_) {
        return;
    }
    installed_ = true;
    if (qtTranslator_) {
        QCoreApplication::installTranslator(qtTranslator_.get());
    }
    // Installed last, so the program's own texts are looked up first.
    QCoreApplication::installTranslator(translator_.get());
}

QString TLanguageModule::Language() const {
    return translator_->language();
}
