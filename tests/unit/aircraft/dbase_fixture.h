#pragma once
// A small aircraft database with one case of every rule, as dbase.xml text.
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tfx::test {

inline std::string fixtureDbaseXml(const std::set<std::string>& leftOut = {},
                                   const std::vector<std::pair<std::string, std::string>>& replaced = {}) {
  std::vector<std::pair<std::string, std::string>> sections{
      {"aircrafts",
       R"(<aircraft types="B738, A388,C172,B744 "/><aircraft types="E190,EC35,F16,C56X,MD11,B736,B737"/>)"},
      {"high_performance", R"(<hpf types="F16"/>)"},
      {"heavy", R"(<hvy types="A388,B744"/><hvy types="MD11"/>)"},
      {"large", R"(<lar types="B738,E190,MD11"/>)"},
      {"buzjet", R"(<bzj types="C56X"/>)"},
      {"rotorcraft", R"(<rot types="EC35"/>)"},
      {"cargo_types", R"(<cargo_type types="B744,MD11"/>)"},
      {"similar_types", R"(<similar types="B738,B737,B736"/><similar types="E190"/>)"},
      {"ICAO_airlines", R"(<ICAO codes="KLM,SWR"/><ICAO codes="FDX"/>)"},
      {"cargo_operators", R"(<ICAO codes="FDX"/>)"},
      {"publishers", R"(<pub names="FlyTampa, Fly Tampa,Fly_Tampa"/><pub names="Aerosoft,Mega Airport"/>)"},
      {"wingspans",
       R"(<wingspan type="B738" meters="35.8"/><wingspan type="A388" meters="79.75"/>)"
       R"(<wingspan type="C172" meters="11.0"/><wingspan type="B744" meters="64.4"/>)"
       R"(<wingspan type="B744" meters="90.0"/><wingspan type="XXXX" meters="10"/>)"
       R"(<wingspan type="EC35" meters="10.2"/>)"},
      {"fixes", R"(<fx wro="B747" cor="B744"/><fx wro="B747" cor="A388"/><fx wro="A380" cor=""/>)"
                R"(<fx wro="X" cor="QQQQ"/>)"},
      {"simaddonsP3D", R"(<simaddonP3D arpts="LOWI, EGLC"/>)"},
      {"thirdpartiesP3D", R"(<thirdpartieP3D pub="FlyTampa" arpts="EHAM, KBOS"/>)"},
      {"dbase",
       R"(<db reg="PH-BXA" airl="KLM" type="B738" opr="KLM Royal Dutch Airlines" cargo="no"/>)"
       R"(<db reg="PH-BXA" airl="SWR" type="A388"/>)"
       R"(<db reg="P-HBXC" airl="KLM" type="B737"/><db reg="N123AB" airl="FDX" type="MD11" cargo="yes"/>)"
       R"(<db reg="N1-23AC" type="C172"/><db reg="D--ABCD" type="C172"/><db reg="PH-BX" type="C172"/>)"
       R"(<db reg="C-1" cargo="1"/><db reg="C-2" cargo="0"/><db reg="C-3"/><db reg="C-4" cargo="True"/>)"},
  };
  std::string xml = "<?xml version=\"1.0\"?>\n<!-- test database -->\n";
  for (auto& [name, body] : sections) {
    if (leftOut.contains(name)) continue;
    for (const auto& [replacedName, replacement] : replaced) {
      if (replacedName == name) body = replacement;
    }
    xml += "<" + name + ">" + body + "</" + name + ">\n";
  }
  return xml;
}

}  // namespace tfx::test
