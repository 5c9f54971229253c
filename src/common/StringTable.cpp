#include "common/StringTable.h"

#include <map>
#include <stdexcept>

const std::string& LoadResString(int32_t id) {
    static const std::map<int32_t, std::string> kRows = {
        {13000, "CApp"},
        {13001,
         "Shell command failed to launch the application.  Please check to see that the path "
         "name is correct."},
        {13010, "CFile"},
        {13011, "File Corrupt:  Please Shut Down The Application And Create A New File."},
        {13012, "No Valid Dictionary Selection:  You Must Select A Dictionary Word!!"},
        {13013,
         "No \"Vocab\" Directory!  Please create the subdirectory \"Vocab\" under \"Vorn\" main "
         "directory."},
        {13020, "CVocab"},
        {13021, "No Valid Dictionary Selection:  You Must Select A Dictionary Word!!"},
    };
    const auto row = kRows.find(id);
    if (row == kRows.end()) throw std::out_of_range("no string-table row " + std::to_string(id));
    return row->second;
}
