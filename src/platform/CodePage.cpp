#include "platform/CodePage.h"

#include "platform/Unicode.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace tarvel {

namespace {

struct SingleBytePage {
    unsigned Number;
    const char16_t* Units;
};

#include "platform/CodePageTables.inc"

constexpr unsigned kFallbackPage = 1252;

const SingleBytePage* findSingleBytePage(unsigned codePage) {
    for (const SingleBytePage& page : kSingleBytePages)
        if (page.Number == codePage)
            return &page;
    return nullptr;
}

// ICU's converters whose tables are those of Windows' double-byte pages.
const char* doubleByteConverterName(unsigned codePage) {
    switch (codePage) {
    case 932:
        return "ibm-943_P15A-2003";
    case 936:
        return "windows-936-2000";
    case 949:
        return "windows-949-2000";
    case 950:
        return "windows-950-2000";
    default:
        return nullptr;
    }
}

bool isSupported(unsigned codePage) {
    return codePage == kCodePageUtf8 || findSingleBytePage(codePage) ||
           doubleByteConverterName(codePage);
}

// Unit-to-byte lookup for one single-byte page, '?' for every unit the page
// lacks. Built on first use, as most runs touch one page only.
using ReverseTable = std::array<unsigned char, 0x10000>;

const ReverseTable& reverseTable(const SingleBytePage& page) {
    constexpr size_t count = std::size(kSingleBytePages);
    static std::array<std::once_flag, count> once;
    static std::array<std::unique_ptr<ReverseTable>, count> tables;
    size_t k = static_cast<size_t>(&page - kSingleBytePages);
    std::call_once(once[k], [&] {
        auto table = std::make_unique<ReverseTable>();
        table->fill('?');
        for (unsigned byte = 0; byte < 256; ++byte)
            (*table)[page.Units[byte]] = static_cast<unsigned char>(byte);
        tables[k] = std::move(table);
    });
    return *tables[k];
}

// --- Locale -----------------------------------------------------------------

std::string_view localeName() {
    // An empty variable counts as unset, as setlocale() treats it.
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

unsigned codePageOfLocale(std::string_view locale) {
    size_t end = locale.find_first_of("_.@");
    std::string language = lowerAscii(locale.substr(0, end));
    std::string territory;
    if (end != std::string_view::npos && locale[end] == '_') {
        std::string_view rest = locale.substr(end + 1);
        territory = lowerAscii(rest.substr(0, rest.find_first_of(".@")));
    }

    struct Group {
        unsigned CodePage;
        std::initializer_list<std::string_view> Languages;
    };
    static const Group groups[] = {
        {1250, {"cs", "hu", "pl", "ro", "sk", "sl", "hr", "bs", "sq"}},
        {1251, {"ru", "uk", "be", "bg", "mk", "sr", "kk"}},
        {1253, {"el"}},
        {1254, {"tr", "az"}},
        {1255, {"he"}},
        {1256, {"ar", "fa", "ur"}},
        {1257, {"et", "lt", "lv"}},
        {1258, {"vi"}},
        {874, {"th"}},
        {932, {"ja"}},
        {949, {"ko"}},
    };
    if (language == "zh") {
        // Traditional script where the territory uses it; simplified
        // otherwise, including a bare "zh".
        return territory == "tw" || territory == "hk" || territory == "mo" ? 950 : 936;
    }
    for (const Group& group : groups)
        for (std::string_view candidate : group.Languages)
            if (language == candidate)
                return group.CodePage;
    return kFallbackPage; // also "C" and "POSIX"
}

// --- Double-byte pages through ICU ------------------------------------------

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Windows writes one default character per UTF-16 unit it cannot map, so a
// pair outside the BMP becomes "??" and not ICU's single substitute.
void substitutePerUnit(const void*, UConverterFromUnicodeArgs* args, const UChar*,
                       int32_t length, UChar32, UConverterCallbackReason reason,
                       UErrorCode* error) {
    if (reason > UCNV_IRREGULAR)
        return; // reset, close, clone: nothing to write
    *error = U_ZERO_ERROR;
    for (int32_t k = 0; k < length && U_SUCCESS(*error); ++k)
        ucnv_cbFromUWriteBytes(args, "?", 1, 0, error);
}

// Converters keep state between calls, so each thread has its own; opening
// one per call would cost more than converting a line of an INI file.
UConverter* doubleByteConverter(unsigned codePage) {
    thread_local std::array<Converter, 4> cache;
    size_t slot = codePage == 932 ? 0 : codePage == 936 ? 1 : codePage == 949 ? 2 : 3;
    if (!cache[slot]) {
        UErrorCode error = U_ZERO_ERROR;
        Converter converter(ucnv_open(doubleByteConverterName(codePage), &error));
        if (U_FAILURE(error) || !converter)
            return nullptr;
        // No best-fit: a character the page lacks is '?', never a look-alike.
        ucnv_setFallback(converter.get(), false);
        ucnv_setSubstChars(converter.get(), "?", 1, &error);
        ucnv_setFromUCallBack(converter.get(), substitutePerUnit, nullptr, nullptr, nullptr,
                              &error);
        if (U_FAILURE(error))
            return nullptr;
        cache[slot] = std::move(converter);
    }
    ucnv_reset(cache[slot].get());
    return cache[slot].get();
}

std::u16string doubleByteToUtf16(UConverter* cnv, std::string_view bytes) {
    // At most one unit per byte, plus what a flush of a cut-off lead byte adds.
    std::u16string out(bytes.size() + 1, u'\0');
    const char* source = bytes.data();
    const char* sourceEnd = source + bytes.size();
    size_t written = 0;
    for (;;) {
        UChar* target = reinterpret_cast<UChar*>(out.data()) + written;
        UChar* targetEnd = reinterpret_cast<UChar*>(out.data()) + out.size();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_toUnicode(cnv, &target, targetEnd, &source, sourceEnd, nullptr, true, &error);
        written = static_cast<size_t>(target - reinterpret_cast<UChar*>(out.data()));
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // The default callback substitutes ill-formed bytes, so nothing else
        // can fail here; stop with what was converted should ICU disagree.
        break;
    }
    out.resize(written);
    return out;
}

std::string utf16ToDoubleByte(UConverter* cnv, std::u16string_view text) {
    std::string out(text.size() * 2 + 4, '\0');
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* sourceEnd = source + text.size();
    size_t written = 0;
    for (;;) {
        char* target = out.data() + written;
        char* targetEnd = out.data() + out.size();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_fromUnicode(cnv, &target, targetEnd, &source, sourceEnd, nullptr, true, &error);
        written = static_cast<size_t>(target - out.data());
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        break;
    }
    out.resize(written);
    return out;
}

} // namespace

unsigned GetACP() {
    // Read on every call: the environment can change under us (the tests
    // change it), and this is cheap next to the file I/O it precedes.
    if (const char* forced = std::getenv("TARVEL_ACP"); forced && *forced) {
        char* end = nullptr;
        unsigned long value = std::strtoul(forced, &end, 10);
        // A number we have no table for is ignored rather than half-honoured.
        if (*end == '\0' && value <= 0xFFFF && isSupported(static_cast<unsigned>(value)))
            return static_cast<unsigned>(value);
    }
    return codePageOfLocale(localeName());
}

std::u16string AnsiToUtf16(std::string_view bytes, unsigned codePage) {
    if (codePage == kCodePageUtf8)
        return U16(bytes);
    if (doubleByteConverterName(codePage)) {
        if (UConverter* cnv = doubleByteConverter(codePage))
            return doubleByteToUtf16(cnv, bytes);
        codePage = kFallbackPage;
    }
    const SingleBytePage* page = findSingleBytePage(codePage);
    if (!page)
        page = findSingleBytePage(kFallbackPage);
    std::u16string out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = page->Units[static_cast<unsigned char>(bytes[i])];
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text, unsigned codePage) {
    if (codePage == kCodePageUtf8)
        return Utf16ToUtf8(text);
    if (doubleByteConverterName(codePage)) {
        if (UConverter* cnv = doubleByteConverter(codePage))
            return utf16ToDoubleByte(cnv, text);
        codePage = kFallbackPage;
    }
    const SingleBytePage* page = findSingleBytePage(codePage);
    if (!page)
        page = findSingleBytePage(kFallbackPage);
    const ReverseTable& reverse = reverseTable(*page);
    // Surrogates are in no single-byte page, so each half of a pair is '?'.
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(reverse[text[i]]);
    return out;
}

} // namespace tarvel
