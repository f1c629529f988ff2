#include "processo.h"

#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "banco.h"

extern char** environ;

namespace compattatore::banco {

namespace {

namespace fs = std::filesystem;

// Starts the command and waits for it; the child's resource use in `uso`.
int avvia_e_attendi(const std::vector<std::string>& argomenti, const fs::path* cartella, bool silenzioso,
                    rusage& uso) {
    std::vector<char*> argv;
    for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    if (silenzioso) {
        posix_spawn_file_actions_addopen(&azioni, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&azioni, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    if (cartella) posix_spawn_file_actions_addchdir_np(&azioni, cartella->c_str());

    pid_t pid = 0;
    const int errore = ::posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    if (errore != 0) throw std::system_error(errore, std::generic_category(), "posix_spawn " + argomenti[0]);

    int stato = 0;
    while (::wait4(pid, &stato, 0, &uso) < 0) {
        if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "wait4");
    }
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato);
}

}  // namespace

int esegui(const std::vector<std::string>& argomenti, const fs::path& cartella) {
    rusage uso{};
    return avvia_e_attendi(argomenti, &cartella, true, uso);
}

long picco_kib(const std::vector<std::string>& argomenti, const fs::path& cartella) {
    const fs::path esito = nuova_cartella("compattatore-picco");
    std::vector<std::string> comando = {fs::read_symlink("/proc/self/exe").string(), opzione_misura_picco,
                                        (esito / "picco").string()};
    comando.insert(comando.end(), argomenti.begin(), argomenti.end());
    const int stato = esegui(comando, cartella);
    long kib = -1;
    std::ifstream(esito / "picco") >> kib;
    std::error_code ec;
    fs::remove_all(esito, ec);
    if (stato != 0 || kib < 0)
        throw std::runtime_error(argomenti[0] + ": misura della memoria non riuscita (stato " + std::to_string(stato) + ")");
    return kib;
}

int misura_picco(int argc, char** argv) {
    if (argc < 4) return 2;
    const std::vector<std::string> comando(argv + 3, argv + argc);
    rusage uso{};
    const int stato = avvia_e_attendi(comando, nullptr, false, uso);
    if (stato != 0) return stato;
    std::ofstream(argv[2]) << uso.ru_maxrss << '\n';
    return 0;
}

}  // namespace compattatore::banco
