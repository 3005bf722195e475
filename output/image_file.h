#pragma once

#include <string>

namespace Gdiplus {
class Bitmap;
}

// Writes `picture` as an image file of `mime_type` at `path`, which may be longer than the
// old 259-character limit. The picture is encoded in memory first and then written in one
// go, so that a failure leaves no half-written file behind. False when it could not be
// written, with the system's reason in words in `reason`.
[[nodiscard]] bool WriteImageFile(Gdiplus::Bitmap& picture,
                                  const std::wstring& path,
                                  const std::wstring& mime_type,
                                  std::wstring* reason);
