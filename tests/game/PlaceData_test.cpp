// Checks over the shipped places: every outline loads and lies on the grid,
// the levels are long enough for every mode, and known points fall where
// they belong. Capital coordinates are the cities' published positions
// (degrees, latitude first as usually printed), not taken from the outlines.
// Capitals on the shore itself (Lisbon, Copenhagen, Monaco, Suva, ...) are
// left out: the 50 m coastline already puts many of them in the water.
#include <gtest/gtest.h>
#include <picojson.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/Place.h"
#include "game/PlaceDatabase.h"
#include "game/PlaceParams.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

constexpr int kModes = 3;

Vec2<float> mapOf(double lat, double lon) {
  return Place::mapFromGrid(static_cast<float>((lon + 180.0) / 1.8), static_cast<float>((lat + 90.0) / 1.8));
}

class ShippedPlaces : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    params = std::make_unique<JsonDocument>(test::sourceDir() + "devdata/params.json");
    const std::string name = json::string(json::at(params->root(), "game"), "places");
    places = std::make_unique<JsonDocument>(test::sourceDir() + name);
    db = std::make_unique<PlaceDatabase>(places->root(), test::sourceDir());
    for (const auto& entry : json::object(places->root())) {
      auto p = std::make_shared<Place>();
      loadedAll = p->load(db->outlinePath(entry.first)) && loadedAll;
      p->setRadius(json::real(json::at(params->root(), "game"), "touch_radius"));
      outlines[entry.first] = p;
    }
  }
  static void TearDownTestSuite() {
    outlines.clear();
    db.reset();
    places.reset();
    params.reset();
  }

  static const Place& place(const std::string& key) {
    static const Place none;
    auto it = outlines.find(key);
    EXPECT_NE(it, outlines.end()) << key;
    return it == outlines.end() ? none : *it->second;
  }
  // Country places have keys starting "c_".
  static std::vector<std::string> countriesContaining(const Vec2<float>& p) {
    std::vector<std::string> out;
    for (const auto& [key, outline] : outlines) {
      if (key.rfind("c_", 0) == 0 && outline->inside(p)) out.push_back(key);
    }
    return out;
  }

  static std::unique_ptr<JsonDocument> params, places;
  static std::unique_ptr<PlaceDatabase> db;
  static std::map<std::string, std::shared_ptr<Place>> outlines;
  static bool loadedAll;
};

std::unique_ptr<JsonDocument> ShippedPlaces::params, ShippedPlaces::places;
std::unique_ptr<PlaceDatabase> ShippedPlaces::db;
std::map<std::string, std::shared_ptr<Place>> ShippedPlaces::outlines;
bool ShippedPlaces::loadedAll = true;

TEST_F(ShippedPlaces, EveryPlaceLoadsOntoTheGrid) {
  ASSERT_TRUE(places->loaded()) << places->error();
  EXPECT_TRUE(loadedAll);
  EXPECT_GE(outlines.size(), 500u);
  std::set<std::string> names;
  std::set<double> levels;
  for (const auto& [key, entry] : json::object(places->root())) {
    const std::string name = json::string(entry, "name");
    EXPECT_FALSE(name.empty()) << key;
    EXPECT_TRUE(names.insert(name).second) << "name used twice: " << name;
    EXPECT_TRUE(json::at(entry, "level").is<double>()) << key;
    levels.insert(json::number(json::at(entry, "level")));
    const Place& p = place(key);
    bool bigEnough = false;
    for (const auto& poly : p.polygons()) {
      bigEnough = bigEnough || poly.size() >= 3;
      for (const auto& q : poly) {
        ASSERT_TRUE(q.x >= -1.0f && q.x <= 1.0f && q.y >= -1.0f && q.y <= 1.0f) << key;
      }
    }
    EXPECT_TRUE(bigEnough) << key << " has no polygon of three vertices";
  }
  EXPECT_GE(levels.size(), 10u);
}

TEST_F(ShippedPlaces, EveryLevelOfEveryModeHasEnoughPlaces) {
  const picojson::value& game = json::at(params->root(), "game");
  int levelsWithPlaces = 0;
  for (int mode = 0; mode < kModes; ++mode) {
    const PlaceParams pp(game, mode);
    std::mt19937 gen(1u);
    int L = 0;
    for (;; ++L) {
      const auto list = db->questionList(L, pp.levelOffset(), gen);
      if (list.empty()) break;
      EXPECT_GE(static_cast<int>(list.size()), pp.questionsNeeded(L + pp.levelOffset()))
          << "mode " << mode << " level " << L;
      EXPECT_GT(pp.answerTime(L), 0.0f);
    }
    EXPECT_GE(L, 6) << "mode " << mode << " has too few levels";
    levelsWithPlaces = std::max(levelsWithPlaces, L);
  }
  EXPECT_EQ(0, PlaceParams(game, 0).levelOffset()) << "normal mode starts with the best-known places";
  EXPECT_GE(levelsWithPlaces, 10);
}

struct Capital {
  const char* key;
  const char* city;
  double lat, lon;
};

// clang-format off
const Capital kCapitals[] = {
  {"c_afg", "Kabul", 34.53, 69.17}, {"c_alb", "Tirana", 41.33, 19.82}, {"c_dza", "Algiers", 36.75, 3.06},
  {"c_and", "Andorra la Vella", 42.51, 1.52}, {"c_ago", "Luanda", -8.84, 13.23}, {"c_arg", "Buenos Aires", -34.60, -58.38},
  {"c_arm", "Yerevan", 40.18, 44.51}, {"c_aus", "Canberra", -35.28, 149.13}, {"c_aut", "Vienna", 48.21, 16.37},
  {"c_aze", "Baku", 40.41, 49.87}, {"c_bhs", "Nassau", 25.05, -77.35}, 
  {"c_bgd", "Dhaka", 23.81, 90.41}, {"c_blr", "Minsk", 53.90, 27.57},
  {"c_bel", "Brussels", 50.85, 4.35}, {"c_blz", "Belmopan", 17.25, -88.77}, {"c_ben", "Porto-Novo", 6.50, 2.60},
  {"c_btn", "Thimphu", 27.47, 89.64}, {"c_bol", "La Paz", -16.50, -68.15}, {"c_bih", "Sarajevo", 43.86, 18.41},
  {"c_bwa", "Gaborone", -24.65, 25.91}, {"c_bra", "Brasília", -15.79, -47.88}, {"c_brn", "Bandar Seri Begawan", 4.89, 114.94},
  {"c_bgr", "Sofia", 42.70, 23.32}, {"c_bfa", "Ouagadougou", 12.37, -1.52}, {"c_bdi", "Gitega", -3.43, 29.92},
  {"c_khm", "Phnom Penh", 11.56, 104.92}, {"c_cmr", "Yaoundé", 3.85, 11.50}, {"c_can", "Ottawa", 45.42, -75.70},
  {"c_cpv", "Praia", 14.93, -23.51}, {"c_caf", "Bangui", 4.39, 18.56}, {"c_tcd", "N'Djamena", 12.13, 15.06},
  {"c_chl", "Santiago", -33.45, -70.67}, {"c_chn", "Beijing", 39.90, 116.41}, {"c_col", "Bogotá", 4.71, -74.07},
  {"c_com", "Moroni", -11.70, 43.26}, {"c_cog", "Brazzaville", -4.27, 15.27}, {"c_cod", "Kinshasa", -4.32, 15.31},
  {"c_cri", "San José", 9.93, -84.09}, {"c_civ", "Yamoussoukro", 6.83, -5.29}, {"c_hrv", "Zagreb", 45.81, 15.98},
  {"c_cub", "Havana", 23.11, -82.37}, {"c_cze", "Prague", 50.08, 14.44}, 
  {"c_dma", "Roseau", 15.30, -61.39}, {"c_dom", "Santo Domingo", 18.49, -69.93},
  {"c_ecu", "Quito", -0.18, -78.47}, {"c_egy", "Cairo", 30.04, 31.24}, {"c_slv", "San Salvador", 13.69, -89.19},
  {"c_eri", "Asmara", 15.32, 38.93}, {"c_est", "Tallinn", 59.44, 24.75},
  {"c_swz", "Mbabane", -26.31, 31.14}, {"c_eth", "Addis Ababa", 9.03, 38.74}, 
  {"c_fra", "Paris", 48.86, 2.35}, {"c_gab", "Libreville", 0.42, 9.47},
  {"c_geo", "Tbilisi", 41.72, 44.79}, {"c_deu", "Berlin", 52.52, 13.40},
  {"c_gha", "Accra", 5.60, -0.19}, {"c_grc", "Athens", 37.98, 23.73}, {"c_grd", "St. George's", 12.05, -61.75},
  {"c_gtm", "Guatemala City", 14.63, -90.51}, {"c_gin", "Conakry", 9.64, -13.58}, 
  {"c_guy", "Georgetown", 6.80, -58.16}, {"c_hti", "Port-au-Prince", 18.59, -72.31}, {"c_hnd", "Tegucigalpa", 14.07, -87.19},
  {"c_hun", "Budapest", 47.50, 19.04}, {"c_isl", "Reykjavík", 64.15, -21.94}, {"c_ind", "New Delhi", 28.61, 77.21},
  {"c_idn", "Jakarta", -6.21, 106.85}, {"c_irn", "Tehran", 35.69, 51.39}, {"c_irq", "Baghdad", 33.31, 44.36},
  {"c_irl", "Dublin", 53.35, -6.26}, {"c_ita", "Rome", 41.90, 12.50}, {"c_jam", "Kingston", 17.97, -76.79},
  {"c_jpn", "Tokyo", 35.68, 139.69}, {"c_jor", "Amman", 31.95, 35.93}, {"c_kaz", "Astana", 51.17, 71.45},
  {"c_ken", "Nairobi", -1.29, 36.82}, {"c_kgz", "Bishkek", 42.87, 74.59},
  {"c_lao", "Vientiane", 17.97, 102.63}, {"c_lva", "Riga", 56.95, 24.11}, 
  {"c_lso", "Maseru", -29.31, 27.48}, {"c_lby", "Tripoli", 32.89, 13.19},
  {"c_lie", "Vaduz", 47.14, 9.52}, {"c_ltu", "Vilnius", 54.69, 25.28}, {"c_lux", "Luxembourg", 49.61, 6.13},
  {"c_mdg", "Antananarivo", -18.88, 47.51}, {"c_mwi", "Lilongwe", -13.96, 33.79}, {"c_mys", "Kuala Lumpur", 3.14, 101.69},
  {"c_mli", "Bamako", 12.64, -8.00}, {"c_mlt", "Valletta", 35.90, 14.51}, {"c_mrt", "Nouakchott", 18.09, -15.98},
  {"c_mus", "Port Louis", -20.16, 57.50}, {"c_mex", "Mexico City", 19.43, -99.13}, {"c_mda", "Chișinău", 47.01, 28.86},
  {"c_mng", "Ulaanbaatar", 47.89, 106.91}, {"c_mne", "Podgorica", 42.44, 19.26},
  {"c_mar", "Rabat", 34.02, -6.83}, {"c_moz", "Maputo", -25.97, 32.57}, {"c_mmr", "Naypyidaw", 19.76, 96.08},
  {"c_nam", "Windhoek", -22.56, 17.08}, {"c_npl", "Kathmandu", 27.72, 85.32}, {"c_nld", "Amsterdam", 52.37, 4.90},
  {"c_nzl", "Wellington", -41.29, 174.78}, {"c_nic", "Managua", 12.11, -86.24}, {"c_ner", "Niamey", 13.51, 2.11},
  {"c_nga", "Abuja", 9.08, 7.40}, {"c_prk", "Pyongyang", 39.04, 125.76}, {"c_mkd", "Skopje", 42.00, 21.43},
  {"c_nor", "Oslo", 59.91, 10.75}, {"c_omn", "Muscat", 23.59, 58.41}, {"c_pak", "Islamabad", 33.68, 73.05},
  {"c_pan", "Panama City", 8.98, -79.52}, {"c_png", "Port Moresby", -9.44, 147.18}, {"c_pry", "Asunción", -25.26, -57.58},
  {"c_per", "Lima", -12.05, -77.04}, {"c_phl", "Manila", 14.60, 120.98}, {"c_pol", "Warsaw", 52.23, 21.01},
  {"c_qat", "Doha", 25.29, 51.53}, {"c_rou", "Bucharest", 44.43, 26.10},
  {"c_rus", "Moscow", 55.76, 37.62}, {"c_rwa", "Kigali", -1.94, 30.06}, {"c_kna", "Basseterre", 17.30, -62.72},
  {"c_lca", "Castries", 14.01, -60.99}, 
  {"c_smr", "San Marino", 43.94, 12.45}, {"c_stp", "São Tomé", 0.34, 6.73}, {"c_sau", "Riyadh", 24.71, 46.68},
  {"c_sen", "Dakar", 14.72, -17.47}, {"c_srb", "Belgrade", 44.79, 20.45}, {"c_syc", "Victoria", -4.62, 55.45},
  {"c_sgp", "Singapore", 1.35, 103.82}, {"c_svk", "Bratislava", 48.15, 17.11},
  {"c_svn", "Ljubljana", 46.06, 14.51}, {"c_slb", "Honiara", -9.43, 159.95}, {"c_som", "Mogadishu", 2.05, 45.32},
  {"c_zaf", "Pretoria", -25.75, 28.19}, {"c_kor", "Seoul", 37.57, 126.98}, {"c_ssd", "Juba", 4.85, 31.58},
  {"c_esp", "Madrid", 40.42, -3.70}, {"c_lka", "Sri Jayawardenepura Kotte", 6.89, 79.90}, {"c_sdn", "Khartoum", 15.50, 32.56},
  {"c_sur", "Paramaribo", 5.85, -55.20}, {"c_swe", "Stockholm", 59.33, 18.07}, {"c_che", "Bern", 46.95, 7.45},
  {"c_syr", "Damascus", 33.51, 36.29}, {"c_twn", "Taipei", 25.03, 121.57}, {"c_tjk", "Dushanbe", 38.56, 68.79},
  {"c_tza", "Dodoma", -6.16, 35.75}, {"c_tha", "Bangkok", 13.76, 100.50}, {"c_tls", "Dili", -8.56, 125.57},
  {"c_tgo", "Lomé", 6.13, 1.22}, {"c_ton", "Nuku'alofa", -21.14, -175.20}, {"c_tto", "Port of Spain", 10.66, -61.51},
  {"c_tun", "Tunis", 36.81, 10.18}, {"c_tur", "Ankara", 39.93, 32.86}, {"c_tkm", "Ashgabat", 37.96, 58.33},
  {"c_uga", "Kampala", 0.35, 32.58}, {"c_ukr", "Kyiv", 50.45, 30.52}, {"c_are", "Abu Dhabi", 24.45, 54.38},
  {"c_gbr", "London", 51.51, -0.13}, {"c_usa", "Washington, D.C.", 38.91, -77.04}, 
  {"c_uzb", "Tashkent", 41.30, 69.24}, {"c_vut", "Port Vila", -17.73, 168.32}, {"c_ven", "Caracas", 10.49, -66.88},
  {"c_vnm", "Hanoi", 21.03, 105.85}, {"c_yem", "Sana'a", 15.37, 44.19}, {"c_zmb", "Lusaka", -15.39, 28.32},
  {"c_zwe", "Harare", -17.83, 31.05}, 
  {"c_hkg", "Hong Kong", 22.28, 114.16}, {"c_xkx", "Pristina", 42.66, 21.17}, {"c_pse", "Ramallah", 31.90, 35.20},
  {"c_xsl", "Hargeisa", 9.56, 44.06}, {"c_esh", "Laayoune", 27.15, -13.20}, 
  {"c_pyf", "Papeete", -17.53, -149.57}, {"c_flk", "Stanley", -51.69, -57.86}, {"c_fro", "Tórshavn", 62.01, -6.77},
  {"c_gum", "Hagåtña", 13.47, 144.75}, {"c_cuw", "Willemstad", 12.11, -68.93},
  {"c_tuv", "Funafuti", -8.52, 179.20},
};
// clang-format on

TEST_F(ShippedPlaces, CapitalsLieInTheirOwnCountryOnly) {
  EXPECT_GE(sizeof(kCapitals) / sizeof(kCapitals[0]), 150u);
  for (const Capital& c : kCapitals) {
    const auto in = countriesContaining(mapOf(c.lat, c.lon));
    EXPECT_EQ(std::vector<std::string>{c.key}, in) << c.city;
  }
}

TEST_F(ShippedPlaces, KnownPoints) {
  struct Row {
    const char* name;
    double lat, lon;
    const char* key;
  } rows[] = {
      {"Paris", 48.86, 2.35, "c_fra"},
      {"Maseru", -29.31, 27.48, "c_lso"},
      {"San Marino", 43.94, 12.45, "c_smr"},
      {"Vatican", 41.904, 12.453, "c_vat"},
      {"Chukotka at 172 E", 65.0, 172.0, "c_rus"},
      {"Chukotka at 176 W", 66.0, -176.0, "c_rus"},
      {"Utqiagvik", 71.29, -156.79, "c_usa"},
      {"inland Fiji", -17.80, 178.00, "c_fji"},
      {"near the south pole", -89.5, 45.0, "c_ata"},
      {"the south pole", -89.99, 0.0, "c_ata"},
      {"Tasmania", -42.0, 146.5, "c_aus"},
      {"Hawaii, Big Island", 19.6, -155.5, "c_usa"},
      {"Kaliningrad", 54.71, 20.51, "c_rus"},
      {"Chukotka division", 66.0, -176.0, "ru_chu"},
      {"Alaska, Aleutians west of 180", 52.9, 173.2, "us_ak"},
      {"Likoma Island", -12.06, 34.73, "c_mwi"},
  };
  for (const Row& r : rows) {
    const Vec2<float> p = mapOf(r.lat, r.lon);
    EXPECT_TRUE(place(r.key).hitTest(p)) << r.name;
    // The source's Vatican sits 1.5 km west of the real one: only the tap
    // tolerance reaches St. Peter's.
    if (r.key[0] == 'c' && std::string(r.key) != "c_vat") {
      EXPECT_EQ(std::vector<std::string>{r.key}, countriesContaining(p)) << r.name;
    }
  }
  EXPECT_FALSE(place("c_zaf").inside(mapOf(-29.31, 27.48))) << "Maseru lies in a hole of South Africa";
  EXPECT_FALSE(place("c_ita").inside(mapOf(43.94, 12.45))) << "San Marino lies in a hole of Italy";
  EXPECT_FALSE(place("au_nsw").inside(mapOf(-35.28, 149.13))) << "Canberra is cut out of New South Wales";
  EXPECT_TRUE(place("au_act").inside(mapOf(-35.28, 149.13)));
  EXPECT_TRUE(place("s_caspian").inside(mapOf(42.0, 51.0)));
  EXPECT_TRUE(place("o_pacific").inside(mapOf(0.0, -150.0)));
  EXPECT_TRUE(place("o_pacific").inside(mapOf(0.0, 170.0))) << "both sides of the date line";
}

TEST_F(ShippedPlaces, OpenWaterHitsNoLand) {
  struct Row {
    const char* name;
    double lat, lon;
  } rows[] = {
      {"mid Pacific", 0.0, -150.0},   {"North Pacific", 35.0, 170.0},  {"South Pacific", -40.0, -120.0},
      {"mid Atlantic", 30.0, -40.0},  {"South Atlantic", -30.0, -15.0}, {"Indian Ocean", -20.0, 80.0},
      {"Arabian Sea", 15.0, 63.0},    {"Bay of Bengal", 15.0, 88.0},   {"Caspian Sea", 42.0, 51.0},
      {"Gulf of Mexico", 25.0, -90.0}, {"Mediterranean", 34.5, 18.0},  {"Tasman Sea", -38.0, 160.0},
      {"Southern Ocean", -55.0, 90.0}, {"Arctic Ocean", 87.0, 0.0},    {"Black Sea", 43.0, 34.0},
      {"Hudson Bay", 60.0, -85.0},     {"Bering Sea", 57.0, -178.0},   {"Coral Sea", -16.0, 155.0},
  };
  for (const Row& r : rows) {
    const Vec2<float> p = mapOf(r.lat, r.lon);
    for (const auto& [key, outline] : outlines) {
      if (key[0] == 'o' || key[0] == 's' || key[0] == 'l') continue;  // oceans, seas, lakes
      EXPECT_FALSE(outline->hitTest(p)) << r.name << " hits " << key;
    }
  }
}

}  // namespace
}  // namespace orb
