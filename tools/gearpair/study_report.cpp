#include "tools/gearpair/study_report.h"

#include <nlohmann/json.hpp>

#include "session/session.h"
#include "tools/gearpair/report_rows.h"

namespace gearmesh {

std::vector<int> pairsInContactOverOnePitch(int z1, int z2, double shift) {
    Session session;
    session.setShift(shift);
    session.start();
    const std::string counts = std::to_string(z1) + " " + std::to_string(z2) + "\n";
    session.typedLine(counts.data(), counts.size());
    session.redraw();
    session.replayKey('3', 1);
    std::vector<int> pairs;
    double positions[STUDY_CONTACT_CAPACITY];
    for (int k = 0; k < STUDY_STEPS; ++k) {
        pairs.push_back(
            contactsOnPath(session.pairStudy(), session.pair(), session.view().theta1, positions));
        session.replayKey('s', 1);
    }
    return pairs;
}

std::string studyReportText(const PairStudy& s, const std::vector<int>* pairs) {
    std::string text = "\n  Study: how the pair shares the load along the exact path of contact\n";
    if (!s.hasPath) {
        return text + "  The exact path of contact has no length: the flanks never meet.\n";
    }
    text += "  (positions from the pitch point, positive towards interference point 1)\n";
    text += format("  %-26s %12.4f %12.4f\n", "path of contact from, to", s.pathFrom, s.pathTo);
    if (s.hasSinglePairZone) {
        text += format("  %-26s %12.4f %12.4f   one pair carries the load (%.4f long)\n",
                       "single-pair zone", s.singleFrom, s.singleTo, s.singleTo - s.singleFrom);
    } else {
        text += format("  %-26s %12s   two pairs or more everywhere\n", "single-pair zone", "none");
    }
    if (pairs != nullptr) {
        text += format("  %-26s", "pairs in contact, steps 0+");
        for (const int n : *pairs) {
            text += format(" %d", n);
        }
        text += "\n";
    }
    text += format("  %-26s %12s %12s\n", "specific sliding", "path start", "path end");
    text += format("  %-26s %12.4f %12.4f\n", "  gear 1", specificSliding1(s, s.pathFrom),
                   specificSliding1(s, s.pathTo));
    text += format("  %-26s %12.4f %12.4f\n", "  gear 2", specificSliding2(s, s.pathFrom),
                   specificSliding2(s, s.pathTo));
    text += format("  %-26s %12.4f   true\n", "contact ratio", s.contactRatio);
    return text;
}

std::string withStudyMember(const std::string& json, const PairStudy& s,
                            const std::vector<int>* pairs) {
    using Json = nlohmann::ordered_json;
    Json j;
    if (!s.hasPath) {
        j["singlePairZone"] = nullptr;
        if (pairs != nullptr) {
            j["pairsInContact"] = nullptr;
        }
        j["specificSliding1"] = nullptr;
        j["specificSliding2"] = nullptr;
        j["contactRatio"] = nullptr;
    } else {
        j["singlePairZone"] =
            s.hasSinglePairZone ? Json::array({s.singleFrom, s.singleTo}) : Json(nullptr);
        if (pairs != nullptr) {
            j["pairsInContact"] = *pairs;
        }
        j["specificSliding1"] =
            Json::array({specificSliding1(s, s.pathFrom), specificSliding1(s, s.pathTo)});
        j["specificSliding2"] =
            Json::array({specificSliding2(s, s.pathFrom), specificSliding2(s, s.pathTo)});
        j["contactRatio"] = s.contactRatio;
    }
    // json is one object followed by a newline: open it before its "}".
    const std::size_t close = json.rfind('}');
    return json.substr(0, close) + ",\"study\":" + j.dump() + json.substr(close);
}

}  // namespace gearmesh
