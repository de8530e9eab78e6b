#include "foundation/error_message.h"

#include "foundation/localized_string.h"
#include "resources/string_ids.h"

#include <algorithm>
#include <array>

namespace {

struct ErrorPair {
    int error;
    UINT japaneseId; // the English text follows at japaneseId + 1
};

// Sorted by number.
constexpr std::array kErrorPairs = {
    ErrorPair{-42, 43263},  ErrorPair{-41, 43261},  ErrorPair{-6, 43103},   ErrorPair{-5, 43101},
    ErrorPair{-4, 43115},   ErrorPair{-3, 43105},   ErrorPair{-1, 43107},   ErrorPair{103, 43109},
    ErrorPair{501, 43111},  ErrorPair{502, 43113},  ErrorPair{601, 43117},  ErrorPair{602, 43119},
    ErrorPair{603, 43121},  ErrorPair{604, 43335},  ErrorPair{605, 43337},  ErrorPair{606, 43339},
    ErrorPair{701, 43123},  ErrorPair{702, 43125},  ErrorPair{703, 43127},  ErrorPair{800, 43129},
    ErrorPair{802, 43219},  ErrorPair{803, 43221},  ErrorPair{806, 43223},  ErrorPair{807, 43225},
    ErrorPair{808, 43227},  ErrorPair{809, 43229},  ErrorPair{810, 43231},  ErrorPair{811, 43233},
    ErrorPair{812, 43235},  ErrorPair{813, 43237},  ErrorPair{814, 43239},  ErrorPair{815, 43241},
    ErrorPair{840, 43257},  ErrorPair{841, 43259},  ErrorPair{901, 43265},  ErrorPair{911, 43267},
    ErrorPair{915, 43269},  ErrorPair{1002, 43131}, ErrorPair{1003, 43133}, ErrorPair{1004, 43135},
    ErrorPair{1005, 43137}, ErrorPair{1006, 43139}, ErrorPair{1007, 43141}, ErrorPair{1009, 43143},
    ErrorPair{1107, 43145}, ErrorPair{1201, 43147}, ErrorPair{2001, 43149}, ErrorPair{2002, 43151},
    ErrorPair{2003, 43153}, ErrorPair{2004, 43155}, ErrorPair{2005, 43157}, ErrorPair{2006, 43159},
    ErrorPair{2105, 43161}, ErrorPair{2107, 43163}, ErrorPair{2109, 43165}, ErrorPair{2115, 43167},
    ErrorPair{2201, 43169}, ErrorPair{2202, 43171}, ErrorPair{3001, 43173}, ErrorPair{3002, 43175},
    ErrorPair{3003, 43177}, ErrorPair{3004, 43179}, ErrorPair{3005, 43181}, ErrorPair{3007, 43183},
    ErrorPair{3008, 43185}, ErrorPair{4001, 43187}, ErrorPair{4002, 43189}, ErrorPair{4003, 43191},
    ErrorPair{4004, 43193}, ErrorPair{5003, 43195}, ErrorPair{5004, 43197}, ErrorPair{5006, 43199},
    ErrorPair{5007, 43201}, ErrorPair{5008, 43203}, ErrorPair{6001, 43207}, ErrorPair{6002, 43209},
    ErrorPair{6004, 43213}, ErrorPair{6005, 43211}, ErrorPair{6006, 43215}, ErrorPair{6100, 43217},
    ErrorPair{8001, 43205}, ErrorPair{8201, 43243}, ErrorPair{8202, 43245}, ErrorPair{8203, 43247},
    ErrorPair{8204, 43249}, ErrorPair{8205, 43251}, ErrorPair{8301, 43253}, ErrorPair{8302, 43255},
    ErrorPair{9001, 43291}, ErrorPair{9002, 43293}, ErrorPair{9003, 43295}, ErrorPair{9004, 43297},
    ErrorPair{9005, 43299}, ErrorPair{9006, 43301}, ErrorPair{9010, 43303}, ErrorPair{9011, 43305},
    ErrorPair{9012, 43307}, ErrorPair{9013, 43309}, ErrorPair{9014, 43311}, ErrorPair{9015, 43313},
    ErrorPair{9016, 43315}, ErrorPair{9017, 43317}, ErrorPair{9018, 43319}, ErrorPair{9019, 43321},
    ErrorPair{9020, 43323}, ErrorPair{9021, 43325}, ErrorPair{9022, 43327}, ErrorPair{9023, 43329},
    ErrorPair{9024, 43331}, ErrorPair{9025, 43333},
};

static_assert(std::ranges::is_sorted(kErrorPairs, {}, &ErrorPair::error));

} // namespace

CString GetErrorMessage(int error)
{
    if (error == ERROR_NONE || error == ERROR_CANCELLED)
        return CString();
    const auto it = std::ranges::lower_bound(kErrorPairs, error, {}, &ErrorPair::error);
    const UINT id = (it != kErrorPairs.end() && it->error == error) ? it->japaneseId : strings::kOtherErrors;
    return LoadLocalizedString(id);
}
