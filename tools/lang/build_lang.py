#!/usr/bin/python3
"""Builds the game's languages: devdata/lang/<code>.json for every language
the game ships, and devdata/lang/index.json listing them.

Run from anywhere:  /usr/bin/python3 tools/lang/build_lang.py
(needs the Debian packages iso-codes, fontconfig (fc-query) and python3-pil).
Same inputs, same bytes.

Where the texts come from:
- countries and territories: iso-codes' iso_3166-1 translations, looked up by
  the place's ISO alpha-3 code (the key c_<code>);
- provinces and states: iso_3166-2 translations through each division's ISO
  code; "Salta (Argentina)" becomes the translated division and the
  translated country in brackets;
- seas, lakes, oceans, and fixes of ISO names that read badly in a quiz
  (official long forms, "Name, Kind" inversions): names.tsv here;
- answer lines: cut at " · " into facts; label words with a city
  ("Capital: X") from labels.tsv, the city kept as it is; whole facts from
  facts.tsv. An answer line with any fact left untranslated stays English
  (a line of two languages reads worse than one);
- everything else the game writes: tools/lang/texts/<code>.json, merged
  into "texts".
A division's translation identical to its ISO name is no translation: the
game's own English name is kept then (so "Xizang Zizhiqu" stays "Tibet").

Full languages get all of that. Every other iso-codes language whose letters
the place font has gets its country names only ("full": false).

Every name and answer line must fit the question box (tools/places/text_fit.py);
the build stops on a misfit. It prints how many places have a translated name
in each full language.
"""
import gettext
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "places"))

import text_fit  # noqa: E402

LOCALE = "/usr/share/locale"
ISO_JSON = "/usr/share/iso-codes/json"
OUT_DIR = os.path.join(ROOT, "devdata", "lang")
FULL = ["de", "fr", "es", "it", "nl", "pl", "pt", "ru"]
DOT = " \u00b7 "
# Share of a language's country names the place font must be able to draw
# for the language to ship; the names it cannot draw stay English.
MIN_COVERED = 0.98
# Locales that iso-codes keeps for history or that name a script variant our
# code cannot tell from the locale variable in a useful way.
SKIPPED = {"mo"}
# Own names for locales whose name iso_639 cannot give.
OWN_NAME = {"sr@latin": "Srpski (latinica)", "tt@iqtelif": "Tatarça", "oc": "Occitan", "sk": "Slovenčina",
            "zu": "IsiZulu"}


def read_mo(lang, domain):
    path = os.path.join(LOCALE, lang, "LC_MESSAGES", domain + ".mo")
    if not os.path.exists(path):
        return {}
    with open(path, "rb") as f:
        catalog = gettext.GNUTranslations(f)._catalog  # noqa: SLF001 - the plain msgid -> msgstr map
    return {k: v for k, v in catalog.items() if isinstance(k, str) and k and v}


def read_wide_tsv(name):
    """{first column: {language: cell}} of a table whose header names the languages."""
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f if line.strip() and not line.startswith("#")]
    header = lines[0].split("\t")
    out = {}
    for line in lines[1:]:
        cells = line.split("\t")
        if len(cells) > len(header):
            sys.exit("%s: too many cells in %r" % (name, line))
        row = out.setdefault(cells[0], {})
        for lang, cell in zip(header[1:], cells[1:]):
            if cell and row.get(lang, cell) != cell:
                sys.exit("%s: two texts for %s in %s" % (name, cells[0], lang))
            if cell:
                row[lang] = cell
    return out


def read_iso():
    with open(os.path.join(ISO_JSON, "iso_3166-1.json"), encoding="utf-8") as f:
        countries = {e["alpha_3"]: e for e in json.load(f)["3166-1"]}
    with open(os.path.join(ISO_JSON, "iso_3166-2.json"), encoding="utf-8") as f:
        divisions = {e["code"]: e for e in json.load(f)["3166-2"]}
    return countries, divisions


def division_codes():
    """place key -> ISO 3166-2 code, from the places tool's division table."""
    out = {}
    for source, key, *_ in text_fit.read_tsv("divisions.tsv"):
        kind, _, name = source.partition(":")
        out[key] = "US-" + key[3:].upper() if kind == "us" else name.replace(".", "-")
    return out


class Catalogs:
    def __init__(self, lang):
        self.countries = read_mo(lang, "iso_3166-1")
        self.divisions = read_mo(lang, "iso_3166-2")


def iso_translation(catalog, english, same_is_translation):
    """The translation of one of the English names, or None. Inverted forms
    ("Congo, The Democratic Republic of the") are no name for a quiz."""
    for name in english:
        text = catalog.get(name)
        if text and (same_is_translation or text != name) and "," not in text and ";" not in text:
            return text
    return None


def country_name(key, lang, cats, iso_countries, fixes):
    fixed = fixes.get(key, {}).get(lang)
    if fixed:
        return fixed
    entry = iso_countries.get(key[2:].upper()) if key.startswith("c_") else None
    if entry is None:
        return None
    # A translator who copies a country's ISO name confirms it ("Bahamas", not our "The Bahamas").
    return iso_translation(cats.countries, [entry[f] for f in ("common_name", "name") if f in entry], True)


def place_names(lang, places, cats, iso, fixes, divisions):
    """{key: translated name} of the places that have one in lang."""
    iso_countries, iso_divisions = iso
    by_english = {entry["name"]: key for key, entry in places.items() if key.startswith("c_")}
    names = {}
    for key in places:
        if key.startswith("c_"):
            text = country_name(key, lang, cats, iso_countries, fixes)
        elif key in divisions:
            text = division_name(key, lang, places, cats, iso_divisions, fixes, divisions, by_english, iso_countries)
        else:
            text = fixes.get(key, {}).get(lang)
        if text:
            names[key] = text
    return names


def division_name(key, lang, places, cats, iso_divisions, fixes, divisions, by_english, iso_countries):
    english = places[key]["name"]
    match = re.fullmatch(r"(.*) \((.*)\)", english)
    own, country = (match.group(1), match.group(2)) if match else (english, None)
    fixed = fixes.get(key, {}).get(lang)
    if fixed is None:
        entry = iso_divisions.get(divisions[key])
        # Division names are often left in their own romanisation ("Xizang Zizhiqu"): only a
        # changed name is a translation.
        fixed = iso_translation(cats.divisions, [entry["name"]], False) if entry else None
    if country is None:
        return fixed
    country_key = by_english.get(country)
    if country_key is None:
        # Brackets that are no country ("Georgia (U.S. state)"): only our table has the whole name.
        return fixes.get(key, {}).get(lang)
    country_text = country_name(country_key, lang, cats, iso_countries, fixes) if country_key else None
    if fixed is None and country_text is None:
        return None
    return "%s (%s)" % (fixed or own, country_text or country)


def label_patterns(labels):
    """[(regex, {lang: pattern})] from labels.tsv; "{}" holds the kept city names."""
    out = []
    for english, langs in labels.items():
        if english == "{} and {}":
            continue
        parts = [re.escape(p) for p in english.split("{}")]
        out.append((re.compile("(.+)".join(parts) + r"\Z"), langs))
    return out


def translate_answer(answer, lang, patterns, facts, conjunction):
    out = []
    for fact in answer.split(DOT):
        text = facts.get(fact, {}).get(lang)
        if text is None:
            for regex, langs in patterns:
                m = regex.match(fact)
                if m and lang in langs:
                    cities = [g.replace(" and ", conjunction) if conjunction else g for g in m.groups()]
                    text = langs[lang].format(*cities)
                    break
        if text is None:
            return None
        out.append(text)
    return DOT.join(out)


def font_charset(path):
    """The code points the font file maps, as fontconfig reads them."""
    ranges = subprocess.run(["fc-query", "--format=%{charset}", path], check=True,
                            capture_output=True, text=True).stdout.split()
    chars = set()
    for r in ranges:
        lo, _, hi = r.partition("-")
        chars.update(range(int(lo, 16), int(hi or lo, 16) + 1))
    return chars


def drawable(text, charset):
    return all(ord(c) in charset for c in text)


def own_language_name(lang, iso639):
    if lang in OWN_NAME:
        return OWN_NAME[lang]
    base, _, region = lang.partition("_")
    entry = iso639.get(base)
    if entry is None:
        return None
    english = entry["name"]
    text = None
    for domain in ("iso_639-3", "iso_639-2", "iso_639"):
        text = read_mo(lang, domain).get(english)
        if text:
            break
    if not text:
        return None
    text = text.split(";")[0].strip()
    text = text[:1].upper() + text[1:]
    if region:
        country = next((e for e in ISO_COUNTRIES.values() if e["alpha_2"] == region), None)
        if country:
            local = read_mo(lang, "iso_3166-1").get(country.get("common_name", country["name"]))
            text += " (%s)" % (local or country.get("common_name", country["name"]))
    return text


def read_iso639():
    with open(os.path.join(ISO_JSON, "iso_639-3.json"), encoding="utf-8") as f:
        entries = json.load(f)["639-3"]
    out = {e["alpha_3"]: e for e in entries}
    out.update({e["alpha_2"]: e for e in entries if "alpha_2" in e})
    return out


def write_json(path, doc):
    with open(path, "w", encoding="utf-8") as f:
        json.dump(doc, f, ensure_ascii=False, indent=1, sort_keys=True)
        f.write("\n")


def read_texts(lang):
    path = os.path.join(HERE, "texts", lang + ".json")
    if not os.path.exists(path):
        return {}
    with open(path, encoding="utf-8") as f:
        return json.load(f)


ISO_COUNTRIES = {}


def main():
    with open(os.path.join(ROOT, "devdata", "places.json"), encoding="utf-8") as f:
        places = {k: {"name": v["name"], "answer": v.get("answer", ""), "level": v.get("level", 0)}
                  for k, v in json.load(f).items()}
    with open(os.path.join(ROOT, "devdata", "params.json"), encoding="utf-8") as f:
        params = json.load(f)
    charset = font_charset(os.path.join(ROOT, params["fonts"]["place"]["file"]))
    iso = read_iso()
    ISO_COUNTRIES.update(iso[0])
    iso639 = read_iso639()
    divisions = division_codes()
    fixes = read_wide_tsv("names.tsv")
    facts = read_wide_tsv("facts.tsv")
    labels = read_wide_tsv("labels.tsv")
    patterns = label_patterns(labels)

    langs = sorted(d for d in os.listdir(LOCALE)
                   if os.path.exists(os.path.join(LOCALE, d, "LC_MESSAGES", "iso_3166-1.mo")))
    os.makedirs(OUT_DIR, exist_ok=True)
    index, problems, counts = [], [], {}
    for lang in langs:
        # A regional form of a full language (pt_BR) would give its speakers country names
        # only; without it they get the whole game in the full one.
        if lang in SKIPPED or lang == "en" or (lang not in FULL and re.split("[_@]", lang)[0] in FULL):
            continue
        full = lang in FULL
        cats = Catalogs(lang)
        names = place_names(lang, places, cats, iso, fixes, divisions)
        if not full:
            names = {k: v for k, v in names.items() if k.startswith("c_")}
            covered = {k: v for k, v in names.items() if drawable(v, charset)}
            own = own_language_name(lang, iso639)
            if not names or len(covered) < MIN_COVERED * len(names) or not own or not drawable(own, charset):
                continue
            names = covered
            rows = [(key, name, places[key]["level"], "") for key, name in sorted(names.items())]
            problems += ["%s: %s" % (lang, m) for m in text_fit.misfits(ROOT, rows)]
        else:
            own = own_language_name(lang, iso639)
        entries, answered = {}, 0
        for key, entry in places.items():
            item = {}
            if key in names and names[key] != entry["name"]:
                item["name"] = names[key]
            if full and entry["answer"]:
                answer = translate_answer(entry["answer"], lang, patterns, facts,
                                          labels.get("{} and {}", {}).get(lang, "").replace("{}", ""))
                answered += answer is not None
                if answer is not None and answer != entry["answer"]:
                    item["answer"] = answer
            if item:
                entries[key] = item
        if full:
            rows = [(key, entries.get(key, {}).get("name", e["name"]), e["level"],
                     entries.get(key, {}).get("answer", e["answer"])) for key, e in sorted(places.items())]
            problems += ["%s: %s" % (lang, m) for m in text_fit.misfits(ROOT, rows)]
            undrawable = sorted({c for _k, n, _l, a in rows for c in n + a if ord(c) not in charset})
            if undrawable:
                problems.append("%s: the place font lacks %r" % (lang, "".join(undrawable)))
            counts[lang] = (sum(1 for e in entries.values() if "name" in e), answered)
        doc = {"code": lang, "name": own, "full": full, "places": entries, "texts": read_texts(lang) if full else {}}
        write_json(os.path.join(OUT_DIR, lang + ".json"), doc)
        index.append({"code": lang, "name": own, "full": full})

    # A language no longer shipped leaves no file behind (the per-language image folders stay).
    shipped = {e["code"] + ".json" for e in index} | {"index.json"}
    for name in sorted(os.listdir(OUT_DIR)):
        if name.endswith(".json") and name not in shipped:
            os.remove(os.path.join(OUT_DIR, name))
    index.sort(key=lambda e: (not e["full"], e["code"]))
    write_json(os.path.join(OUT_DIR, "index.json"), {"languages": index})
    for p in problems:
        print(p, file=sys.stderr)
    total = len(places)
    with_answer = sum(1 for e in places.values() if e["answer"])
    for lang in FULL:
        named, answered = counts.get(lang, (0, 0))
        print("%s: %d of %d places with a translated name (one that differs from the English), "
              "%d of %d answer lines in %s" % (lang, named, total, answered, with_answer, lang))
    print("%d languages (%d full)" % (len(index), sum(1 for e in index if e["full"])))
    if problems:
        sys.exit(1)


if __name__ == "__main__":
    main()
