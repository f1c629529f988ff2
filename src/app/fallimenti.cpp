#include "app/fallimenti.h"

#include <new>
#include <ostream>

#include "app/scenari_cartella.h"
#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace compattatore {

StatoUscita riporta_fallimenti(const std::function<StatoUscita()>& comando, std::ostream& err) {
    try {
        return comando();
    } catch (const ScenarioDaScegliere& e) {
        err << "compattatore: " << e.what() << '\n';
        return stato::non_riuscito;
    } catch (const ErroreSegnalato& e) {
        err << e.what() << '\n';
        return stato::non_riuscito;
    } catch (const IoError& e) {
        err << "compattatore: " << path_text(e.file()) << ": " << e.reason() << '\n';
        return stato::errore_io;
    } catch (const std::bad_alloc&) {
        err << "compattatore: memoria insufficiente per completare il lavoro\n";
        return stato::memoria_insufficiente;
    }
}

}  // namespace compattatore
