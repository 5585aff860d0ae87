#include "frm_main.h"

namespace pellimo {

// Only the window's pointers are taken here: the controls are built afterwards.
CardPage FrmMain::describeBasicsPage() {
    return {.page = BasicsPage,
            .source = datBasics,
            .query = "SELECT Code, Card_Num, Section, Desc, Value, Front, Back FROM Basics WHERE code =? "
                     "ORDER BY Code, Card_Num",
            .frame = Frame2,
            .fastFind = DBCombo2,
            .setCode = txtBasSet,
            .setName = txtBasName,
            .cardNumber = txtBasCardNum,
            .description = txtBasDesc,
            .value = txtBasValue,
            .front = picBasFront,
            .back = picBasBack,
            .frontSlot = 1,
            .countsCards = true,
            .beginsCardWhenEmpty = false};
}

CardPage FrmMain::describeSpecialsPage() {
    return {.page = SpecialsPage,
            .source = DatSpecials,
            .query = "SELECT * FROM Specials WHERE code =? ORDER BY Code, Card_Num",
            .frame = Frame3,
            .fastFind = DBCombo3,
            .setCode = txtSpecCode,
            .setName = txtSpecName,
            .cardNumber = txtSpecCardNum,
            .description = txtSpecDesc,
            .value = txtSpecValue,
            .front = picSpecFront,
            .back = picSpecBack,
            .frontSlot = 3,
            .countsCards = false,
            .beginsCardWhenEmpty = true};
}

} // namespace pellimo
