// One file of the no-argument run, made in a fresh folder and read back as
// its bytes and its lines.
#pragma once

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/comandi.h"
#include "documents/documento_scritto.h"
#include "platform/file_io.h"
#include "support/temp_dir.h"

namespace compattatore::test {

inline DocumentoScritto file_del_lavoro(const std::string& nome) {
    TempDir dir;
    std::ostringstream out, err;
    EXPECT_EQ(esegui_lavoro(dir.path(), out, err), stato::riuscito) << err.str();
    DocumentoScritto doc;
    doc.nome_file = nome;
    doc.byte = read_bytes(dir.path() / nome);
    doc.righe = righe_crlf(doc.byte);
    return doc;
}

}  // namespace compattatore::test
