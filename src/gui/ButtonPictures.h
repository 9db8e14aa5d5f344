// The 16 x 16 pictures of the four operation buttons, drawn here so that they look the same
// on every system.
#pragma once

#include <QIcon>

#include "frontend/MainWindowLayout.h"

namespace quillmoor {

// The picture as an icon; none for ButtonPicture::None.
QIcon ButtonPictureIcon(ButtonPicture picture);

}  // namespace quillmoor
