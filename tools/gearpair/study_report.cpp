#include "tools/gearpair/study_report.h"

#include <nlohmann/json.hpp>

#include "session/link.h"
#include "session/session.h"
#include "tools/gearpair/report_rows.h"

namespace gearmesh {

std::vector<int> pairsInContactOverOnePitch(int z1, int z2, double shift) {
    // The mesh as a link to it opens it: the counts at this shift, then '3'.
    Link link;
    link.counts = std::to_string(z1) + "," + std::to_string(z2);
    link.shift = shift;
    link.hasShift = true;
    link.keys.push_back(KeyRun{'3', 1});
    Session session;
    session.start();
    SessionReply counts;
    openLink(session, link, counts);
    finishLink(session, link);
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
    text += tableRow("path of contact from, to", s.pathFrom, s.pathTo);
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
    text += tableRow("  gear 1", specificSliding1(s, s.pathFrom), specificSliding1(s, s.pathTo));
    text += tableRow("  gear 2", specificSliding2(s, s.pathFrom), specificSliding2(s, s.pathTo));
    text += format("  %-26s %12.4f   true\n", "contact ratio", s.contactRatio);
    return text;
}

std::string withStudyMember(const std::string& json, const PairStudy& s,
                            const std::vector<int>* pairs) {
    using Json = nlohmann::ordered_json;
    // Without a path of contact every value is null.
    const auto valueOr = [&s](const Json& value) { return s.hasPath ? value : Json(nullptr); };
    Json j;
    j["singlePairZone"] =
        valueOr(s.hasSinglePairZone ? Json::array({s.singleFrom, s.singleTo}) : Json(nullptr));
    if (pairs != nullptr) {
        j["pairsInContact"] = valueOr(*pairs);
    }
    j["specificSliding1"] =
        valueOr(Json::array({specificSliding1(s, s.pathFrom), specificSliding1(s, s.pathTo)}));
    j["specificSliding2"] =
        valueOr(Json::array({specificSliding2(s, s.pathFrom), specificSliding2(s, s.pathTo)}));
    j["contactRatio"] = valueOr(s.contactRatio);
    return withMember(json, "study", j.dump());
}

}  // namespace gearmesh
