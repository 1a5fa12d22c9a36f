#pragma once
// One libcurl easy handle per operation: made and cleaned up by the function
// that uses it. The library-wide set-up happens once, whichever thread comes first.
#include <curl/curl.h>

#include <memory>

namespace tfx {

struct CurlHandleCleanup {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlHandleCleanup>;

// An easy handle, or an empty one when libcurl cannot make it.
CurlHandle makeCurlHandle();

}  // namespace tfx
