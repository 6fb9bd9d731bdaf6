#include "toolkit/control_factory.h"

#include "toolkit/sw_basic_controls.h"
#include "toolkit/sw_check_box.h"
#include "toolkit/sw_container.h"
#include "toolkit/sw_edit.h"
#include "toolkit/sw_progress_bar.h"

SWControlPtr CreateControlByTag(std::string_view name) {
  if (name == "div") return std::make_shared<CSWContainer>();
  if (name == "img") return std::make_shared<CSWImage>();
  if (name == "text") return std::make_shared<CSWText>();
  if (name == "link") return std::make_shared<CSWLink>();
  if (name == "button") return std::make_shared<CSWButton>();
  if (name == "checkbox") return std::make_shared<CSWCheckBox>();
  if (name == "progressbar") return std::make_shared<CSWProgressBar>();
  if (name == "edit") return std::make_shared<CSWEdit>();
  return nullptr;
}
