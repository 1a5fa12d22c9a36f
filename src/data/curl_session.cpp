#include "data/curl_session.h"

#include <mutex>

namespace tfx {

CurlHandle makeCurlHandle() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  return CurlHandle(curl_easy_init());
}

}  // namespace tfx
