// The component table: display names and file lists, in extraction order.
#include "engine/Components.h"

const TComponent Components[kComponentCount] = {
    {"Traitement de texte Brevanto", "kre.exe\rLicence.txt"},
    {"Vérificateur d'orthographe française", "French.asc\rfrançais.zlx\rpersodicfr.tlx"},
    {"Vérificateur d'orthographe anglaise",
     "English (American).asc\rEnglish (British).asc\renglish.zlx\rus.zlx\ruk.zlx\r"
     "userdicen.tlx\rEnglish (American).cache"},
    {"Module de coupe de mots", "Coupe de mots.dat"},
    {"Modèles de document", "Modèles de document\\"},
    {"Collections d'inserts", "Collections d'inserts\\"},
    {"Module sonore de base", "Basic.asn"},
};
