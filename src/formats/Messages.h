#pragma once
// The fixed messages that a run shows the user (UTF-8).
namespace enlazora::messages {

inline constexpr const char* kProcesoFinalizado = "Proceso finalizado";
inline constexpr const char* kNoExisteArchivo = "No existe archivo";
inline constexpr const char* kNivellariNoEncontrado = "ATENCIÓN - NIVELLARI.DBF No encontrado - Reinstale ENLAZORA";
inline constexpr const char* kPeriodosNoEncontrado =
    "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de QUIRENDA.";

}  // namespace enlazora::messages
