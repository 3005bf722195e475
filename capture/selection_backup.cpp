#include "capture/selection_backup.h"

#include "base/scoped_select_object.h"

SelectionBackup::SelectionBackup(HDC picture, const RECT& area)
    : picture_(picture),
      area_(area),
      copy_dc_(CreateCompatibleDC(picture)),
      copy_(CreateCompatibleBitmap(picture, area.right - area.left, area.bottom - area.top)) {
  if (!copy_dc_ || !copy_)
    return;
  base::ScopedSelectObject select(copy_dc_.get(), copy_.get());
  BitBlt(copy_dc_.get(), 0, 0, area_.right - area_.left, area_.bottom - area_.top, picture_,
         area_.left, area_.top, SRCCOPY);
}

void SelectionBackup::Restore() {
  if (!copy_dc_ || !copy_)
    return;
  base::ScopedSelectObject select(copy_dc_.get(), copy_.get());
  BitBlt(picture_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         copy_dc_.get(), 0, 0, SRCCOPY);
}
