"""The lakes asked in the quiz: key, name, level, answer line, and the lake's
name in R's maps "lakes" database (Natural Earth 50 m lakes). Lakes Superior,
Michigan and Huron are one ring there; they are split along the St. Marys
River and the Straits of Mackinac by the boxes below."""

# name in the database -> (west, south, east, north) in degrees
GREAT_LAKES_SPLIT = {
    "Superior": (-93.0, 46.35, -84.4, 49.5),
    "Michigan": (-89.0, 41.0, -84.73, 46.3),
    "Huron": (-84.73, 42.8, -79.0, 46.4),
}

LAKES = [
    ("l_superior", "Lake Superior", 2, "The largest freshwater lake by area", "Superior"),
    ("l_victoria", "Lake Victoria", 2, "Africa's largest lake, a source of the Nile", "Lake Victoria"),
    ("l_baikal", "Lake Baikal", 3, "The deepest and oldest lake on Earth", "Lake Baikal"),
    ("l_michigan", "Lake Michigan", 3, "The only Great Lake wholly in the United States", "Michigan"),
    ("l_huron", "Lake Huron", 3, "Great Lake shared by Ontario and Michigan", "Huron"),
    ("l_titicaca", "Lake Titicaca", 4, "Highest navigable lake, on the Peru–Bolivia border", "Lago Titicaca"),
    ("l_tanganyika", "Lake Tanganyika", 4, "The longest freshwater lake in the world", "Lake Tanganyika"),
    ("l_malawi", "Lake Malawi", 4, "Also called Lake Nyasa; rich in cichlid fish", "Lake Malawi"),
    ("l_erie", "Lake Erie", 4, "Shallowest of the Great Lakes", "Great Lakes:Erie"),
    ("l_ontario", "Lake Ontario", 4, "Smallest Great Lake; drains to the St. Lawrence", "Great Lakes:Ontario"),
    ("l_great_bear", "Great Bear Lake", 5, "The largest lake entirely in Canada", "Great Bear Lake"),
    ("l_great_slave", "Great Slave Lake", 5, "The deepest lake in North America", "Great Slave Lake"),
    ("l_ladoga", "Lake Ladoga", 5, "The largest lake in Europe", "Lake Ladoga"),
    ("l_aral", "Aral Sea", 5, "Once the fourth-largest lake; mostly dried up", "Aral Sea"),
    ("l_chad", "Lake Chad", 6, "Shallow lake at the edge of the Sahara", "Lake Chad"),
    ("l_winnipeg", "Lake Winnipeg", 6, "Drains into Hudson Bay by the Nelson River", "Lake Winnipeg"),
    ("l_balkhash", "Lake Balkhash", 6, "Fresh water in the west, salty in the east", "Lake Balkhash"),
    ("l_vanern", "Vänern", 7, "The largest lake in Sweden", "Vanern"),
    ("l_onega", "Lake Onega", 7, "Europe's second-largest lake", "Lake Onega"),
    ("l_nicaragua", "Lake Nicaragua", 7, "The largest lake in Central America", "Lago de Nicaragua"),
    ("l_issyk_kul", "Issyk-Kul", 7, "Mountain lake in Kyrgyzstan that never freezes", "Ysyk Kol"),
    ("l_great_salt", "Great Salt Lake", 7, "Salty remnant of prehistoric Lake Bonneville", "Great Salt Lake"),
    ("l_albert", "Lake Albert", 8, "On the border of Uganda and the DR Congo", "Lake Albert"),
    ("l_tana", "Lake Tana", 8, "Source of the Blue Nile", "Lake Tana"),
    ("l_malaren", "Lake Mälaren", 9, "Stockholm lies at its outlet to the Baltic", "Malaren"),
    ("l_okeechobee", "Lake Okeechobee", 9, "Florida's largest freshwater lake", "Lake Okeechobee"),
    ("l_athabasca", "Lake Athabasca", 9, "On the Alberta–Saskatchewan border", "Lake Athabasca"),
    ("l_saimaa", "Lake Saimaa", 10, "The largest lake in Finland", "Lake Saimaa"),
    ("l_reindeer", "Reindeer Lake", 10, "In Saskatchewan and Manitoba", "Reindeer Lake"),
    ("l_ijsselmeer", "IJsselmeer", 10, "Closed off from the sea by a dam in 1932", "IJsselmeer"),
    ("l_woods", "Lake of the Woods", 10, "Shared by Minnesota, Ontario and Manitoba", "Lake of the Woods"),
    ("l_manitoba", "Lake Manitoba", 10, "West of Lake Winnipeg in Manitoba", "Lake Manitoba"),
    ("l_winnipegosis", "Lake Winnipegosis", 11, "Its name means 'little muddy water'", "Lake Winnipegosis"),
    ("l_nipigon", "Lake Nipigon", 11, "The largest lake wholly in Ontario", "Lake Nipigon"),
    ("l_mistassini", "Lake Mistassini", 11, "The largest natural lake in Quebec", "Lake Mistassini"),
    ("l_mirim", "Lagoa Mirim", 11, "Lagoon on the Brazil–Uruguay border", "Lagoa Minim"),
    ("l_wollaston", "Wollaston Lake", 11, "Drains both to the Arctic and to Hudson Bay", "Wollaston Lake"),
]
