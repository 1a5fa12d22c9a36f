#include "ui/picture_text.h"

namespace tfx::ui {

void PictureText::assignLonger(std::string_view text) {
  longer_.assign(text);
  size_ = kLonger;
}

}  // namespace tfx::ui
