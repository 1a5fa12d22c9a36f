#include "installed_liveries.h"

#include "test_support.h"

namespace tfx::test {

void installAddOnLiveries(const std::filesystem::path& appData, const std::filesystem::path& package) {
  const std::filesystem::path aircraft = package / "SimObjects" / "AI Traffic" / "B738";
  writeFile(aircraft / "aircraft.cfg",
            "[fltsim.0]\ntitle=KLM Boeing 737-800 PH-BXA\nsim=B738\nmodel=\ntexture=KLM\natc_id=PH-BXA\n"
            "atc_parking_codes=KLM\natc_parking_types=GATE\n\n"
            "[fltsim.1]\ntitle=Swiss Boeing 737-800\nsim=B738\nmodel=\ntexture=SWR\natc_parking_codes=SWR\n"
            "atc_parking_types=GATE\n\n[General]\natc_model=B738\n");
  writeFile(aircraft / "B738.air", "air");
  for (const char* folder : {"model", "texture.KLM", "texture.SWR"}) std::filesystem::create_directories(aircraft / folder);
  writeFile(package / "add-on.xml",
            "<SimBase.Document Type=\"AddOnXml\" version=\"4,0\" id=\"add-on\"><AddOn.Name>Test AI</AddOn.Name>"
            "<AddOn.Component><Category>SimObjects</Category><Path>SimObjects\\AI Traffic</Path></AddOn.Component>"
            "</SimBase.Document>");
  for (const char* simulator : {"Prepar3D v5", "Prepar3D v6"}) {
    writeFile(appData / "Lockheed Martin" / simulator / "add-ons.cfg",
              "[Package.0]\nPATH=" + package.string() + "\nTITLE=Test AI\nACTIVE=TRUE\nREQUIRED=FALSE\n");
  }
}

}  // namespace tfx::test
