#pragma once

#include <cstdint>

// Offsets and values of the 32-bit Windows image format (PE32) that the loader and the image
// builder read and write. All integers in an image are little-endian.
namespace pe {

// DOS header.
inline constexpr std::uint32_t kDosHeaderSize = 64;
inline constexpr std::uint16_t kDosSignature = 0x5A4D;  // "MZ"
inline constexpr std::uint32_t kDosNtHeaderOffset = 60;

// NT headers: signature, file header, optional header. Section headers follow directly.
inline constexpr std::uint32_t kNtHeadersSize = 248;
inline constexpr std::uint32_t kNtSignature = 0x4550;  // "PE\0\0"
inline constexpr std::uint32_t kFileHeaderSize = 20;
inline constexpr std::uint32_t kOptionalHeaderSize = 224;
inline constexpr std::uint32_t kSectionHeaderSize = 40;

// Fields, as offsets from the start of the NT headers.
inline constexpr std::uint32_t kNtMachine = 4;
inline constexpr std::uint32_t kNtNumberOfSections = 6;
inline constexpr std::uint32_t kNtSizeOfOptionalHeader = 20;
inline constexpr std::uint32_t kNtCharacteristics = 22;
inline constexpr std::uint32_t kNtOptionalMagic = 24;
inline constexpr std::uint32_t kNtSizeOfCode = 28;
inline constexpr std::uint32_t kNtSizeOfInitializedData = 32;
inline constexpr std::uint32_t kNtEntryPoint = 40;
inline constexpr std::uint32_t kNtBaseOfCode = 44;
inline constexpr std::uint32_t kNtBaseOfData = 48;
inline constexpr std::uint32_t kNtImageBase = 52;
inline constexpr std::uint32_t kNtSectionAlignment = 56;
inline constexpr std::uint32_t kNtFileAlignment = 60;
inline constexpr std::uint32_t kNtMajorOsVersion = 64;
inline constexpr std::uint32_t kNtMajorSubsystemVersion = 72;
inline constexpr std::uint32_t kNtSizeOfImage = 80;
inline constexpr std::uint32_t kNtSizeOfHeaders = 84;
inline constexpr std::uint32_t kNtSubsystem = 92;
inline constexpr std::uint32_t kNtStackReserve = 96;
inline constexpr std::uint32_t kNtStackCommit = 100;
inline constexpr std::uint32_t kNtHeapReserve = 104;
inline constexpr std::uint32_t kNtHeapCommit = 108;
inline constexpr std::uint32_t kNtNumberOfDirectories = 116;
inline constexpr std::uint32_t kNtDataDirectories = 120;  // 16 entries of RVA and size
inline constexpr std::uint32_t kDataDirectoryCount = 16;
inline constexpr std::uint32_t kDataDirectorySize = 8;

inline constexpr std::uint16_t kMachineI386 = 0x014C;
inline constexpr std::uint16_t kOptionalMagicPe32 = 0x010B;
inline constexpr std::uint16_t kSubsystemWindowsGui = 2;

// Data directories the loader uses.
inline constexpr std::uint32_t kDirectoryExports = 0;
inline constexpr std::uint32_t kDirectoryImports = 1;
inline constexpr std::uint32_t kDirectoryRelocations = 5;

// File header characteristics.
inline constexpr std::uint16_t kExecutableImage = 0x0002;
inline constexpr std::uint16_t kMachine32Bit = 0x0100;
inline constexpr std::uint16_t kDll = 0x2000;

// Section header fields, as offsets from the start of one section header.
inline constexpr std::uint32_t kSectionName = 0;
inline constexpr std::uint32_t kSectionVirtualSize = 8;
inline constexpr std::uint32_t kSectionVirtualAddress = 12;
inline constexpr std::uint32_t kSectionRawSize = 16;
inline constexpr std::uint32_t kSectionRawPointer = 20;
inline constexpr std::uint32_t kSectionCharacteristics = 36;

inline constexpr std::uint32_t kSectionCode = 0x00000020;
inline constexpr std::uint32_t kSectionInitializedData = 0x00000040;
inline constexpr std::uint32_t kSectionExecute = 0x20000000;
inline constexpr std::uint32_t kSectionRead = 0x40000000;
inline constexpr std::uint32_t kSectionWrite = 0x80000000;

// Base relocations: blocks of page RVA, block size, then 16-bit entries (type in the top 4 bits).
inline constexpr std::uint32_t kRelocationBlockHeaderSize = 8;
inline constexpr std::uint16_t kRelocationAbsolute = 0;  // padding, skipped
inline constexpr std::uint16_t kRelocationHighLow = 3;   // add the delta to a 32-bit value

// Import descriptor, 20 bytes; the list ends at a descriptor whose address table RVA is 0.
inline constexpr std::uint32_t kImportDescriptorSize = 20;
inline constexpr std::uint32_t kImportLookupTable = 0;
inline constexpr std::uint32_t kImportName = 12;
inline constexpr std::uint32_t kImportAddressTable = 16;
inline constexpr std::uint32_t kImportByOrdinal = 0x80000000;
inline constexpr std::uint32_t kHintSize = 2;  // a hint/name record: 16-bit hint, then the name

// Export directory, 40 bytes.
inline constexpr std::uint32_t kExportDirectorySize = 40;
inline constexpr std::uint32_t kExportName = 12;
inline constexpr std::uint32_t kExportOrdinalBase = 16;
inline constexpr std::uint32_t kExportNumberOfFunctions = 20;
inline constexpr std::uint32_t kExportNumberOfNames = 24;
inline constexpr std::uint32_t kExportFunctions = 28;
inline constexpr std::uint32_t kExportNames = 32;
inline constexpr std::uint32_t kExportNameOrdinals = 36;

// Reasons passed to a library's entry point.
inline constexpr std::uint32_t kProcessDetach = 0;
inline constexpr std::uint32_t kProcessAttach = 1;

}  // namespace pe
