#include "sample_text.h"

namespace net::testing {

std::string JsonLikeText(std::size_t size) {
  std::string text = "[";
  for (int i = 0; text.size() < size; ++i) {
    text += "{\"uid\":" + std::to_string(100000 + i * 7919 % 100000) +
            ",\"name\":\"user" + std::to_string(i) + "\",\"online\":" +
            (i % 3 == 0 ? "true" : "false") + ",\"tags\":[\"live\",\"chat\"]},";
  }
  text.resize(size);
  return text;
}

}  // namespace net::testing
