#include "support/ElfTestFile.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace tarnwick::test {

void WriteElfFile(const std::string& path, const std::vector<TElfSection>& sections)
{
    std::string names(1, '\0');
    std::vector<Elf64_Shdr> headers(1); // the null section
    std::string body;
    const std::size_t dataStart = sizeof(Elf64_Ehdr);
    for (const TElfSection& section : sections) {
        Elf64_Shdr header{};
        header.sh_name = static_cast<Elf64_Word>(names.size());
        names += section.Name + '\0';
        header.sh_type = section.NoBits ? SHT_NOBITS : SHT_PROGBITS;
        header.sh_flags = SHF_ALLOC;
        header.sh_offset = section.Offset.value_or(dataStart + body.size());
        header.sh_size = section.Bytes.size();
        if (!section.NoBits) body += section.Bytes;
        headers.push_back(header);
    }
    Elf64_Shdr nameTable{};
    nameTable.sh_name = static_cast<Elf64_Word>(names.size());
    names += std::string(".shstrtab") + '\0';
    nameTable.sh_type = SHT_STRTAB;
    nameTable.sh_offset = dataStart + body.size();
    nameTable.sh_size = names.size();
    body += names;
    headers.push_back(nameTable);

    Elf64_Ehdr elf{};
    std::memcpy(elf.e_ident, ELFMAG, SELFMAG);
    elf.e_ident[EI_CLASS] = ELFCLASS64;
    elf.e_ident[EI_DATA] = ELFDATA2LSB;
    elf.e_ident[EI_VERSION] = EV_CURRENT;
    elf.e_type = ET_EXEC;
    elf.e_machine = EM_X86_64;
    elf.e_version = EV_CURRENT;
    elf.e_ehsize = sizeof(Elf64_Ehdr);
    elf.e_shoff = dataStart + body.size();
    elf.e_shentsize = sizeof(Elf64_Shdr);
    elf.e_shnum = static_cast<Elf64_Half>(headers.size());
    elf.e_shstrndx = static_cast<Elf64_Half>(headers.size() - 1);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(&elf), sizeof elf);
    file.write(body.data(), static_cast<std::streamsize>(body.size()));
    file.write(reinterpret_cast<const char*>(headers.data()),
               static_cast<std::streamsize>(headers.size() * sizeof(Elf64_Shdr)));
    if (!file) throw std::runtime_error("Cannot write " + path);
}

} // namespace tarnwick::test
