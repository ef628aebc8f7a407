// Bitmaps of the program's pixel-art pictures.
#pragma once

#include "forms/pictures.h"
#include "win32/handles.h"

namespace quillet {

// A device-independent bitmap of the artwork (owned by the caller).
win::Bitmap MakePictureBitmap(Artwork art);

// An icon of the artwork (the program's logo in the notification area and
// on the window), every pixel opaque. Owned by the caller.
win::Icon MakePictureIcon(Artwork art);

// The 100 x 100 picture of the about page: a desk calendar page with a
// quill, drawn with GDI.
win::Bitmap MakeAboutPicture();

}  // namespace quillet
