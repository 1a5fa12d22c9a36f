#pragma once
// An HTTP/1.1 request as raw bytes (a request file, a fuzz input) read into
// the API's request, for running requests through the API without a socket.
#include <optional>
#include <string_view>

#include "webwindow/web_api.h"

namespace tfx::webwindow {

// Request line, headers up to the blank line, then the body (cut to
// Content-Length when one is given). None for a malformed request.
std::optional<WebRequest> parseRawRequest(std::string_view raw);

// The API's answer to raw bytes: 400 for a malformed request.
WebResponse handleRawRequest(WebApi& api, std::string_view raw);

}  // namespace tfx::webwindow
