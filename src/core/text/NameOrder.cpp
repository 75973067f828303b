#include "core/text/NameOrder.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/stringpiece.h>

#include <memory>
#include <string_view>

namespace vesk {
namespace {

// The C/POSIX locale maps to ICU's "en_US_POSIX", whose collation puts every capital before every
// lower-case letter; no language preference is better served by the root order.
icu::Locale collationLocale() {
    const icu::Locale& locale = icu::Locale::getDefault();
    return std::string_view(locale.getBaseName()) == "en_US_POSIX" ? icu::Locale::getRoot()
                                                                   : locale;
}

std::unique_ptr<icu::Collator> makeCollator() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(collationLocale(), status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    collator->setStrength(icu::Collator::SECONDARY);
    return U_SUCCESS(status) ? std::move(collator) : nullptr;
}

} // namespace

bool nameLess(std::string_view a, std::string_view b) {
    // One per thread, so that sorting on several threads needs no lock.
    thread_local const std::unique_ptr<icu::Collator> collator = makeCollator();
    if (!collator) {
        return a < b;
    }
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        collator->compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                              icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
    return U_SUCCESS(status) ? result == UCOL_LESS : a < b;
}

} // namespace vesk
