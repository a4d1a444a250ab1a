// Random sequences of put_data and get_data against a plain in-memory model: the same
// reads, and a file that parses back to the model's pairs in first-written order.
#include "tests/settings/settings_file_fixture.h"

#include <map>
#include <random>
#include <utility>
#include <vector>

namespace {

// Pieces that make values and keys awkward: multi-byte characters, CR, LF, the yen sign,
// and fragments of the marker that must not join into one.
const std::vector<std::string> kPieces = {"a",
                                          "h_data",
                                          "7",
                                          " ",
                                          "\r",
                                          "\n",
                                          "\r\n",
                                          "\u00A5",
                                          "\u00E9",
                                          "鍵",
                                          "\U0001F600",
                                          "<",
                                          ">",
                                          "<[ubobu",
                                          "abcdubobu]>",
                                          kMarker.substr(0, 35),
                                          kMarker.substr(1),
                                          "\n\n"};

class Model {
  public:
    void put(const std::string& key, const std::string& value) {
        if (!values.contains(key)) order.push_back(key);
        values[key] = value;
    }
    std::string get(const std::string& key) const {
        const auto found = values.find(key);
        return found == values.end() ? "" : found->second;
    }
    std::vector<std::pair<std::string, std::string>> pairs() const {
        std::vector<std::pair<std::string, std::string>> result;
        for (const std::string& key : order)
            result.emplace_back(key, values.at(key));
        return result;
    }

  private:
    std::map<std::string, std::string> values;
    std::vector<std::string> order;
};

std::string Unescape(std::string text) {
    for (size_t at; (at = text.find(kMarker)) != std::string::npos;)
        text.replace(at, kMarker.size(), "\n");
    return text;
}

std::vector<std::pair<std::string, std::string>> ParsePairs(const std::string& text) {
    const std::vector<std::string> fields = SplitFields(text);
    EXPECT_EQ(fields.size() % 2, 0u);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t i = 0; i + 1 < fields.size(); i += 2)
        pairs.emplace_back(fields[i], Unescape(fields[i + 1]));
    return pairs;
}

class Generator {
  public:
    explicit Generator(uint32_t seed) : random(seed) {}

    size_t below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); }

    std::string text(bool line_feeds) {
        std::string result;
        for (size_t count = below(6); count > 0; --count) {
            const std::string& piece = kPieces[below(kPieces.size())];
            if (line_feeds || piece.find('\n') == std::string::npos) result += piece;
        }
        return result;
    }

    // Now and then a value equal to one of the keys.
    std::string value(const std::vector<std::string>& keys) {
        for (;;) {
            std::string candidate = below(8) == 0 ? keys[below(keys.size())] : text(true);
            if (candidate.find(kMarker) == std::string::npos) return candidate;
        }
    }

  private:
    std::mt19937 random;
};

class ClassDatafileModelTest : public SettingsFileTest {};

TEST_F(ClassDatafileModelTest, RandomSequencesMatchAnInMemoryMap) {
    Generator generate(20261210);
    for (int sequence = 0; sequence < 2000; ++sequence) {
        std::filesystem::remove(path);
        Class_datafile data(file);
        Model model;
        std::vector<std::string> keys;
        for (size_t count = 1 + generate.below(6); count > 0; --count)
            keys.push_back(generate.text(false));

        for (size_t step = generate.below(24); step > 0; --step) {
            const std::string& key = keys[generate.below(keys.size())];
            if (generate.below(5) < 3) {
                const std::string value = generate.value(keys);
                data.put_data(key, value);
                model.put(key, value);
            } else {
                ASSERT_EQ(data.get_data(key), model.get(key))
                    << "sequence " << sequence << ", step " << step;
            }
        }
        for (const std::string& key : keys)
            ASSERT_EQ(data.get_data(key), model.get(key)) << "sequence " << sequence;
        ASSERT_EQ(ParsePairs(ReadFile()), model.pairs()) << "sequence " << sequence;
    }
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_EQ(RuntimeExit(), kNoQuit);
}

} // namespace
