#include "pane/ribbon_ui.h"

namespace brackwell::ribbon {

std::string CustomUiXml() {
    return std::string(
               "<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" onLoad=\"") +
           kOnLoad +
           "\">"
           "<ribbon><tabs><tab idMso=\"TabHome\">"
           "<group id=\"grpBrackwell\" label=\"Brackwell\">"
           "<toggleButton id=\"" + kToggleId + "\" label=\"Navigator\" size=\"large\" "
           "imageMso=\"TableOfContentsGallery\" "
           "screentip=\"Navigator\" "
           "supertip=\"Blendet den Navigationsbereich mit allen geöffneten Arbeitsmappen, ihren Tabellenblättern "
           "und Namen ein oder aus.\" "
           "getPressed=\"" + kGetPressed + "\" onAction=\"" + kOnToggle + "\"/>"
           "<button id=\"" + kRefreshId + "\" label=\"Aktualisieren\" size=\"normal\" imageMso=\"Refresh\" "
           "screentip=\"Aktualisieren\" "
           "supertip=\"Liest alle Arbeitsmappen neu ein und baut den Baum des Navigators neu auf.\" "
           "onAction=\"" + kOnRefresh + "\"/>"
           "</group>"
           "</tab></tabs></ribbon>"
           "</customUI>";
}

}  // namespace brackwell::ribbon
