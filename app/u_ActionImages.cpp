#include "app/u_ActionImages.h"

#include <array>

namespace {

// Theme names that are not in the freedesktop naming list come from the
// common themes (Breeze, Oxygen) and have a picture of their own here too.
constexpr std::array kActionImages = {
    TActionImage{"actDBCreate", "document-new"},
    TActionImage{"actDBOpen", "document-open"},
    TActionImage{"actDBSave", "document-save"},
    TActionImage{"actDBReload", "view-refresh"},
    TActionImage{"actDBPrint", "document-print"},
    TActionImage{"actDBMoveFirst", "go-first"},
    TActionImage{"actDBMovePrevious", "go-previous"},
    TActionImage{"actDBMoveNext", "go-next"},
    TActionImage{"actDBMoveLast", "go-last"},
    TActionImage{"actDBNewRow", "list-add"},
    // The record's Save is not the database's: a check mark, as in a dialog.
    TActionImage{"actDBSaveRow", "dialog-ok"},
    TActionImage{"actDBDeleteRow", "list-remove"},
    TActionImage{"actEditFindBasic", "edit-find"},
    // A query keeps the contacts that pass its conditions: a filter funnel.
    TActionImage{"actEditFindQuery", "view-filter"},
    TActionImage{"actDBSortShow", "view-sort-ascending"},
    TActionImage{"actEditCut", "edit-cut"},
    TActionImage{"actEditCopy", "edit-copy"},
    TActionImage{"actEditPaste", "edit-paste"},
    TActionImage{"actEditUndo", "edit-undo"},
    TActionImage{"actOptions", "preferences-system"},
    TActionImage{"actHelpContents", "help-contents"},
    TActionImage{"actAbout", "help-about"},
};

constexpr std::array kShippedSizes = {16, 24, 32, 48, 64};
constexpr std::array kProgramIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace

std::span<const TActionImage> ActionImages() {
    return kActionImages;
}

std::span<const int> ShippedImageSizes() {
    return kShippedSizes;
}

QString ShippedImagePath(const QString& themeName, int size) {
    return QStringLiteral(":/icons/actions/%1/%2.png").arg(size).arg(themeName);
}

QIcon ActionIcon(const QString& themeName) {
    QIcon shipped;
    for (int size : kShippedSizes) {
        shipped.addFile(ShippedImagePath(themeName, size), QSize(size, size));
    }
    return QIcon::fromTheme(themeName, shipped);
}

QIcon ProgramIcon() {
    QIcon shipped;
    for (int size : kProgramIconSizes) {
        shipped.addFile(QStringLiteral(":/icons/pellum/%1.png").arg(size), QSize(size, size));
    }
    return QIcon::fromTheme(QStringLiteral("pellum"), shipped);
}
