#pragma once

#include <QIcon>
#include <QString>

#include <span>

// The images of the commands and of the program. Each comes from the
// desktop's icon theme by its freedesktop name; the program ships a picture
// of its own for every name, used where the theme has none.
struct TActionImage {
    const char* action;     // "actEditCut"
    const char* themeName;  // "edit-cut": the theme's name and the shipped picture's
};

// Every command that has an image.
std::span<const TActionImage> ActionImages();

// The pixel sizes the shipped pictures are drawn in.
std::span<const int> ShippedImageSizes();

// The resource path of a shipped picture: ":/icons/actions/16/edit-cut.png".
QString ShippedImagePath(const QString& themeName, int size);

// The theme's icon of that name, else the shipped pictures of it.
QIcon ActionIcon(const QString& themeName);

// The program's own icon: the theme's "pellum" (the one installed with the
// program), else the shipped pictures.
QIcon ProgramIcon();
