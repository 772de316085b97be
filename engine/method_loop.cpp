#include "method_loop.h"

#include <cmath>

#include "fixed_format.h"

namespace korva::engine {

void RunMethodLoop(RunState& s, int& status)
{
    s.report.Write(FormatRecord("(/,/,/,'1',/,10X,22('*'),/,10X,'* COMPUTATION RESULT *',/,10X,22('*'))"));

    // Counted in double: a tiny increment must give a large count, not an
    // overflowing integer.
    const double segments = std::trunc(s.SoilProfileBottom / s.IncrementLength + 1.0e-6f);
    if (segments > MaxSegments) {
        const long long shown = segments < 1.0e9 ? static_cast<long long>(segments) : 999999999LL;
        const std::string message = FormatRecord(
            "(/,/,1X,'YOUR NUMBERS OF SEGMENT ',I4,' IS LARGER THAN',/,1X,'DEFAULT VALUE 500. YOU MIGHT WANT TO "
            "CHANGE THE LENGTH OF ',/,1X,'SEGMENT OR CONSULT VARNEK, INC. FOR CHANGING THE DEFAULT VALUE')",
            {shown});
        s.console.Write(message);
        s.report.Write(message);
        status = 1;
        return;
    }
    s.SegmentCount = segments > 0.0 ? static_cast<int>(segments) : 0;

    // The two passes over the methods (segments, effective stress, the
    // capacity methods and their tables, the load transfer) follow here.
}

} // namespace korva::engine
