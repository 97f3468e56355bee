// The html format's inline style sheet and script: colours for light and
// dark, a print style, and the filter behind the search box.
#ifndef DICTDUMP_HTML_PAGE_STYLE_H
#define DICTDUMP_HTML_PAGE_STYLE_H

namespace dictdump {

extern const char* const kHtmlStyle;
extern const char* const kHtmlScript;

}  // namespace dictdump

#endif  // DICTDUMP_HTML_PAGE_STYLE_H
