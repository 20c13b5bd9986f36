#include "bench/generated_page.h"

namespace quorvane::bench {

std::string GeneratedBody(std::size_t size, int images, const std::string& lineBreak) {
    const std::string filler = "<p class=\"text\">Lorem ipsum dolor sit amet, consectetur</p>";
    std::string body = "<body>" + lineBreak;
    const std::size_t spacing = size / (2 * static_cast<std::size_t>(images) + 1);
    for (int i = 0; i < images; ++i) {
        for (const bool tag : {true, false}) {
            while (body.size() < (2 * static_cast<std::size_t>(i) + (tag ? 1 : 2)) * spacing) {
                body += filler + lineBreak;
            }
            const std::string n = std::to_string(i);
            body += tag ? "<img src=\"pics/photo" + n + ".gif\" width=\"10\">"
                        : "<a href=\"/full/picture" + n + ".jpg\">picture " + n + "</a>";
            body += lineBreak;
        }
    }
    while (body.size() < size) {
        body += filler + lineBreak;
    }
    return body + "</body>";
}

std::string OnePixelGif() {
    static const unsigned char kGif[] = {'G', 'I', 'F', '8', '9', 'a',  1,    0,    1,   0,    0x80,
                                         0,   0,   0,   0,   0,   0xff, 0xff, 0xff, '!', 0xf9, 4,
                                         1,   0,   0,   0,   0,   ',',  0,    0,    0,   0,    1,
                                         0,   1,   0,   0,   2,   2,    'D',  1,    0,   ';'};
    return std::string(reinterpret_cast<const char*>(kGif), sizeof kGif);
}

}  // namespace quorvane::bench
