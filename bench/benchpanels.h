#pragma once

#include <string>

namespace kelvor::bench {

// The six stiffener codes in turn, with spans and stresses that vary from panel to panel so
// that no two neighbours are the same calculation.
inline std::string TenThousandPanels() {
    const char* stiffeners[][2] = {{"LR", "200x90x9x14"}, {"LW", "250x90x10x15"},
                                   {"TG", "300x100x10x12"}, {"FB", "100x8"},
                                   {"BF", "200x10"}, {"IG", "300x150x12x18"}};
    std::string out = "% benchmark panels\r\n";
    for (int i = 0; i < 9999; ++i) {
        const auto* s = stiffeners[i % 6];
        const std::string span = std::to_string(2500 + (i % 11) * 50);
        const std::string sigma = std::to_string(-60 - (i % 7) * 10);
        out += "Bench\tP" + std::to_string(i) + "\t" + std::to_string(i % 3) +
               "\t1.43\t0.6\t355\t470\t355\t470\t206000\t" + std::to_string(i % 3) + "\t65\t" +
               std::to_string(i % 2) + "\t" + s[0] + "\t" + s[1] + "\tTG\t800x200x10x20\t" +
               span + "\t" + span + "\t9000\t5400\t3000\t20\t600\t650\t" + sigma + "\t" + sigma +
               "\t-50\t-50\t10\t0.03\t0.03\r\n";
    }
    return out + "End\r\n";
}

}  // namespace kelvor::bench
