// The 16 x 16 pictures of the four operation buttons, drawn here so that they look the same
// on every system.
#pragma once

#include <QIcon>

namespace quillmoor {

QIcon CreateWadPicture();
QIcon UpdateWadPicture();
QIcon ExtractWadPicture();
QIcon UpdateTracksPicture();

}  // namespace quillmoor
