#include "app/DestinationSection.h"

#include "app/DisplayText.h"

#include <map>

namespace vesk {

std::vector<DestinationSection> DestinationSection::of(const std::vector<const Target*>& choices) {
    // Keys compare as UTF-8 bytes: plain code-point order.
    std::map<std::string, DestinationSection> sections;
    for (const Target* target : choices) {
        const QString label = displayText(target->label);
        const QString key = label.section(QLatin1Char('/'), 0, 0, QString::SectionSkipEmpty);
        // The rest of the label below the section folder; a folder that is its own section
        // keeps its name rather than showing nothing.
        QString text = label.mid(label.indexOf(key) + key.size() + 1);
        if (text.isEmpty()) {
            text = key;
        }
        auto& section = sections[key.toStdString()];
        section.heading = key;
        section.items.push_back({text, target});
    }
    std::vector<DestinationSection> result;
    result.reserve(sections.size());
    for (auto& [key, section] : sections) {
        result.push_back(std::move(section));
    }
    return result;
}

} // namespace vesk
