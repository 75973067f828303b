#include "cli/DemoHome.h"

#include <cstdio>
#include <fstream>
#include <string_view>
#include <system_error>

namespace vesk {

namespace {

// One file of the demo home. `text` is its contents (for a PDF, the text on its page);
// when empty, the file's name without extension is used.
struct DemoFile {
    std::string_view path;
    std::string_view text = {};
};

// clang-format off
constexpr DemoFile demoFiles[] = {
    // Documents: the folders a person already has, which give the matcher its vocabulary.
    {"Documents/Finance/Invoices/2023/Invoice Get 2023-02.pdf", "Get AS. Invoice 2023-02. TV and broadband."},
    {"Documents/Finance/Invoices/2023/Invoice Get 2023-08.pdf", "Get AS. Invoice 2023-08. TV and broadband."},
    {"Documents/Finance/Invoices/2023/Faktura Fjordkraft 2023-01.pdf", "Fjordkraft. Faktura 2023-01. Electricity."},
    {"Documents/Finance/Invoices/2023/Faktura Fjordkraft 2023-06.pdf", "Fjordkraft. Faktura 2023-06. Electricity."},
    {"Documents/Finance/Invoices/2023/Invoice Altibox 2023-11.pdf", "Altibox. Invoice 2023-11. Fibre broadband."},
    {"Documents/Finance/Invoices/2024/Invoice Telenor January 2024.pdf", "Telenor Norge AS. Invoice January 2024. Mobile subscription."},
    {"Documents/Finance/Invoices/2024/Invoice Telenor February 2024.pdf", "Telenor Norge AS. Invoice February 2024. Mobile subscription."},
    {"Documents/Finance/Invoices/2024/Invoice Telenor March 2024.pdf", "Telenor Norge AS. Invoice March 2024. Mobile subscription."},
    {"Documents/Finance/Invoices/2024/Faktura Tibber januar 2024.pdf", "Tibber. Faktura januar 2024. Electricity."},
    {"Documents/Finance/Invoices/2024/Faktura Tibber februar 2024.pdf", "Tibber. Faktura februar 2024. Electricity."},
    {"Documents/Finance/Invoices/2024/发票 2024年1月.pdf", "Fapiao January 2024."},
    {"Documents/Finance/Receipts/Kvittering strøm januar.pdf"},
    {"Documents/Finance/Receipts/Kvittering strøm februar.pdf"},
    {"Documents/Finance/Receipts/Kvittering husleie januar.pdf"},
    {"Documents/Finance/Receipts/Kvittering husleie februar.pdf"},
    {"Documents/Finance/Receipts/Receipt Elkjøp headphones.pdf"},
    {"Documents/Finance/Taxes/Tax return 2022.pdf"},
    {"Documents/Finance/Taxes/Tax return 2023.pdf"},
    {"Documents/Finance/Taxes/Skattemelding 2023.pdf"},
    {"Documents/Finance/Taxes/Skatteoppgjør 2023.pdf"},
    {"Documents/Finance/Taxes/Tax deduction receipts 2023.pdf"},
    {"Documents/Finance/Bank/Bank statement DNB January 2024.pdf"},
    {"Documents/Finance/Bank/Bank statement DNB February 2024.pdf"},
    {"Documents/Finance/Bank/Loan agreement DNB.pdf"},
    {"Documents/Finance/Budget/Household budget 2023.xlsx", "Month;Food;Rent;Power\n"},
    {"Documents/Finance/Budget/Household budget 2024.xlsx", "Month;Food;Rent;Power\n"},
    {"Documents/Finance/Budget/Savings plan.xlsx", "Goal;Amount\n"},
    {"Documents/Travel/Japan 2023/Flight booking Oslo Tokyo.pdf"},
    {"Documents/Travel/Japan 2023/Hotel booking Shinjuku.pdf"},
    {"Documents/Travel/Japan 2023/JR Pass voucher.pdf"},
    {"Documents/Travel/Japan 2023/Kyoto temple tickets.pdf"},
    {"Documents/Travel/Japan 2023/Itinerary Japan.docx"},
    {"Documents/Travel/Japan 2023/旅行计划 京都.docx", "Day 1: Kyoto station. Day 2: Fushimi Inari.\n"},
    {"Documents/Travel/Rome 2024/Flight booking Oslo Rome.pdf"},
    {"Documents/Travel/Rome 2024/Hotel booking Trastevere.pdf"},
    {"Documents/Travel/Rome 2024/Colosseum tickets.pdf"},
    {"Documents/Travel/Rome 2024/Rome itinerary.docx"},
    {"Documents/Recipes/Recipe lasagne.txt", "Lasagne: minced beef, tomatoes, pasta sheets, bechamel. 180 C for 45 minutes.\n"},
    {"Documents/Recipes/Recipe pancakes.txt", "Pancakes: 3 eggs, 5 dl milk, 2.5 dl flour, a pinch of salt.\n"},
    {"Documents/Recipes/Recipe chili con carne.txt", "Chili con carne: beans, minced beef, chili, cumin.\n"},
    {"Documents/Recipes/Recipe banana bread.txt", "Banana bread: 3 ripe bananas, butter, sugar, flour.\n"},
    {"Documents/Recipes/Oppskrift kanelboller.txt", "Kanelboller: hvetemel, melk, gjær, smør, kanel, sukker.\n"},
    {"Documents/Recipes/Recipe fish soup.pdf", "Fish soup: salmon, cod, carrots, leek, cream."},
    {"Documents/Insurance/Gjensidige home insurance policy 2023.pdf", "Gjensidige home insurance policy 2023. Policy holder: Kari Nordmann."},
    {"Documents/Insurance/Car insurance If 2024.pdf"},
    {"Documents/Insurance/Travel insurance certificate.pdf"},
    {"Documents/Insurance/Insurance claim bicycle.pdf"},
    {"Documents/Car/Toyota Yaris service history.pdf"},
    {"Documents/Car/EU-kontroll 2024.pdf"},
    {"Documents/Car/Vehicle registration.pdf"},
    {"Documents/Car/Tyre change receipt.pdf"},
    {"Documents/Health/Vaccination card.pdf"},
    {"Documents/Health/Blood test results 2024.pdf"},
    {"Documents/Health/Prescription allergy.pdf"},
    {"Documents/Health/Tannlege faktura.pdf"},
    {"Documents/School/Emma/Class schedule autumn.pdf"},
    {"Documents/School/Emma/Parent meeting summary.docx"},
    {"Documents/School/Emma/Field trip permission form.pdf"},
    {"Documents/School/Jonas/Reading list.docx"},
    {"Documents/School/Jonas/Swimming course registration.pdf"},
    {"Documents/House/Renovation/Kitchen renovation quote.pdf"},
    {"Documents/House/Renovation/Bathroom tiles order.pdf"},
    {"Documents/House/Manuals/Manual dishwasher Bosch.pdf"},
    {"Documents/House/Manuals/Manual router Asus.pdf"},
    {"Documents/Work/Contracts/Employment contract.pdf"},
    {"Documents/Work/Contracts/Salary statement March 2024.pdf"},
    {"Documents/Work/Meetings/Meeting minutes sprint planning.docx"},
    {"Documents/Work/Meetings/Quarterly review slides.pptx"},
    // A code project: a target of its own that is never looked into.
    {"Documents/Work/weather-app/.git/HEAD", "ref: refs/heads/main\n"},
    {"Documents/Work/weather-app/package.json", "{\n  \"name\": \"weather-app\",\n  \"version\": \"0.3.0\",\n  \"main\": \"src/index.js\"\n}\n"},
    {"Documents/Work/weather-app/README.md", "# weather-app\n\nA small forecast viewer.\n"},
    {"Documents/Work/weather-app/src/index.js", "import { forecast } from './forecast.js';\nforecast('Oslo').then(console.log);\n"},
    {"Documents/Work/weather-app/src/forecast.js", "export async function forecast(city) {\n  return { city, temperature: 12 };\n}\n"},

    {"Pictures/Trips/Rome/Rome Colosseum sunset.jpg"},
    {"Pictures/Trips/Rome/Rome Trevi fountain.jpg"},
    {"Pictures/Trips/Rome/IMG_3301.jpg"},
    {"Pictures/Trips/Japan/Kyoto bamboo forest.jpg"},
    {"Pictures/Trips/Japan/Tokyo tower night.jpg"},
    {"Pictures/Family/Emma birthday 2023.jpg"},
    {"Pictures/Family/Christmas dinner 2023.jpg"},
    {"Pictures/Family/Jonas first day of school.jpg"},
    {"Music/Podcasts/Morning news episode.mp3"},
    {"Music/Albums/Aurora - Runaway.mp3"},
    {"Music/Albums/Kygo - Firestone.mp3"},
    {"Movies/Family/Summer holiday 2023.mp4"},
    {"Movies/Family/Emma school concert.mp4"},

    {"Desktop/todo.txt", "Call the dentist\nPay the rent\n"},
    {"Desktop/Household budget May.xlsx", "Month;Food;Rent;Power\n"},
    {"Desktop/Screenshot 2024-04-12 at 08.15.30.png"},
    {"Desktop/Sorting/Old photo of the farm.jpg"},

    // An installed application, so that its package in Downloads counts as used.
    {".local/share/applications/org.sketchpad.Sketchpad.desktop", "[Desktop Entry]\nType=Application\nName=Sketchpad\nExec=sketchpad %U\n"},

    // Downloads: a case for every layer.
    {"Downloads/Screenshot 2024-05-01 at 10.00.00.png"},
    {"Downloads/Screen Recording 2024-05-02 at 09.12.44.mov"},
    {"Downloads/Skjermbilde 2024-03-01 kl. 10.00.00.png"},
    {"Downloads/movie-trailer.mp4.crdownload"},
    {"Downloads/photos.zip", "PK"},
    {"Downloads/photos/Beach.jpg"},
    {"Downloads/photos/Sunset.jpg"},
    {"Downloads/sketchpad_126.0_amd64.deb"},
    {"Downloads/Starchart-2.4.1-x86_64.AppImage"},
    {"Downloads/invoice-telenor-april.pdf", "Telenor Norge AS. Invoice April 2024. Mobile subscription."},
    {"Downloads/invoice-telenor-april (1).pdf", "Telenor Norge AS. Invoice April 2024. Mobile subscription."},
    {"Downloads/Dentist appointment.ics", "BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nSUMMARY:Dentist\nDTSTART:20240610T090000Z\nEND:VEVENT\nEND:VCALENDAR\n"},
    {"Downloads/ubuntu-24.04-desktop-amd64.iso.torrent", "d8:announce0:e"},
    {"Downloads/Invoice Telenor May 2024.pdf", "Telenor Norge AS. Invoice May 2024. Mobile subscription."},
    {"Downloads/Faktura Tibber mars 2024.pdf", "Tibber. Faktura mars 2024. Electricity."},
    {"Downloads/发票 2024年3月.pdf", "Fapiao March 2024."},
    {"Downloads/Kvittering husleie mars.pdf"},
    {"Downloads/Kvittering strøm mars.pdf"},
    {"Downloads/Tax return 2024.pdf"},
    {"Downloads/Bank statement DNB March 2024.pdf"},
    {"Downloads/Household budget June.xlsx", "Month;Food;Rent;Power\n"},
    {"Downloads/Recipe carbonara.pdf", "Carbonara: spaghetti, eggs, pecorino, guanciale, pepper."},
    {"Downloads/Boarding pass Oslo Rome.pdf"},
    {"Downloads/Hotel booking Kyoto.pdf"},
    {"Downloads/旅行计划 东京.docx", "Day 1: Asakusa. Day 2: Shibuya.\n"},
    {"Downloads/Car insurance If 2025.pdf"},
    {"Downloads/Blood test results May 2024.pdf"},
    {"Downloads/Field trip permission form Emma.pdf"},
    {"Downloads/Salary statement April 2024.pdf"},
    {"Downloads/Manual washing machine Bosch.pdf"},
    {"Downloads/Kitchen renovation quote v2.pdf"},
    {"Downloads/Quarterly review Q2.pptx"},
    {"Downloads/Rome Colosseum night.jpg"},
    {"Downloads/Emma birthday party.jpg"},
    {"Downloads/weather-app-notes.md", "# Ideas\n- hourly forecast\n- dark mode\n"},
    {"Downloads/zxq-untitled.bin", "\x01\x02\x03"},
    {"Downloads/IMG_2041.JPG"},
    {"Downloads/AUD-20240412-WA0003.mp3"},
    {"Downloads/VID_20240501_183000.mp4"},
    // The name says nothing; the page says home insurance.
    {"Downloads/scan_20240311.pdf", "Gjensidige home insurance policy renewal. Policy holder: Kari Nordmann. Home insurance premium."},
    {"Downloads/Old stuff/letter.txt", "Dear Kari,\n"},
    {"Downloads/.DS_Store", std::string_view("\0\0\0\1Bud1", 8)},
};
// clang-format on

// PDF strings in the standard fonts are single-byte: the Latin-1 letters (æ, ø, å, ...) are
// mapped to their byte, anything further up is dropped, and the delimiters are escaped.
std::string pdfString(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '(' || byte == ')' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            out += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
        }
    }
    return out;
}

// A valid one-page PDF showing `text` in Helvetica, with a correct cross-reference table,
// so that viewers open it and text extraction finds the words.
std::string onePagePdf(std::string_view text) {
    const std::string stream = "BT /F1 14 Tf 72 760 Td (" + pdfString(text) + ") Tj ET\n";
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] "
        "/Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream",
    };
    std::string pdf = "%PDF-1.4\n";
    std::string xref = "xref\n0 6\n0000000000 65535 f \n";
    int number = 1;
    for (const auto& object : objects) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        xref += entry;
        pdf += std::to_string(number++) + " 0 obj\n" + object + "\nendobj\n";
    }
    const std::size_t xrefOffset = pdf.size();
    return pdf + xref + "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xrefOffset) + "\n%%EOF\n";
}

std::string contentsOf(const DemoFile& file) {
    const std::filesystem::path path(file.path);
    const std::string text = file.text.empty() ? path.stem().string() : std::string(file.text);
    return path.extension() == ".pdf" ? onePagePdf(text) : text;
}

std::string failure(const std::string& what, const std::filesystem::path& path,
                    const std::error_code& error) {
    return what + " " + path.string() + ": " + error.message();
}

std::optional<std::string> checkUsable(const std::filesystem::path& dir) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(dir, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    if (error) {
        return failure("Cannot read", dir, error);
    }
    if (!std::filesystem::is_directory(dir, error)) {
        return dir.string() + " exists and is not a folder";
    }
    const bool empty = std::filesystem::is_empty(dir, error);
    if (error) {
        return failure("Cannot read", dir, error);
    }
    if (!empty) {
        return dir.string() + " is not empty; choose a new or empty folder";
    }
    return std::nullopt;
}

std::optional<std::string> writeDemoFile(const std::filesystem::path& dir, const DemoFile& file) {
    const auto path = dir / std::filesystem::path(file.path);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
        return failure("Cannot create", path.parent_path(), error);
    }
    const std::string contents = contentsOf(file);
    std::ofstream out(path, std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out) {
        return "Cannot write " + path.string();
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> createDemoHome(const std::filesystem::path& dir) {
    if (auto problem = checkUsable(dir)) {
        return problem;
    }
    for (const auto& file : demoFiles) {
        if (auto problem = writeDemoFile(dir, file)) {
            return problem;
        }
    }
    return std::nullopt;
}

} // namespace vesk
