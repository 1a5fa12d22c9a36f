# Writes page_assets_data.cpp: every file of page/ as a raw string, the page
# itself at "/", the others under "/assets/".
function(tfx_embed_page page_dir output)
  file(GLOB page_files RELATIVE ${page_dir} CONFIGURE_DEPENDS ${page_dir}/*.html ${page_dir}/*.css ${page_dir}/*.js ${page_dir}/*.svg)
  list(FILTER page_files EXCLUDE REGEX "\\.test\\.js$")
  set(entries "")
  foreach(name ${page_files})
    # A change of the file configures anew, so the program serves the page as it is now.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${page_dir}/${name})
    file(READ ${page_dir}/${name} content)
    if(name STREQUAL "index.html")
      set(url "/")
      set(type "text/html; charset=utf-8")
    else()
      set(url "/assets/${name}")
      if(name MATCHES "\\.css$")
        set(type "text/css; charset=utf-8")
      elseif(name MATCHES "\\.svg$")
        set(type "image/svg+xml")
      else()
        set(type "text/javascript; charset=utf-8")
      endif()
    endif()
    string(APPEND entries "    {\"${url}\", \"${type}\", R\"tfxpage(${content})tfxpage\"},\n")
  endforeach()
  file(CONFIGURE OUTPUT ${output} CONTENT "// Generated from src/webwindow/page; edit the files there.
#include <span>

#include \"webwindow/page_assets.h\"

namespace tfx::webwindow {

std::span<const PageAsset> embeddedPageAssets() {
  static const PageAsset assets[] = {
@entries@  };
  return assets;
}

}  // namespace tfx::webwindow
" @ONLY)
endfunction()
