#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The project's window settings and their "Window Filter Coefficients"
// dialog: seven window types chosen by radio button, the Kaiser-Bessel alpha
// and the Dolph-Chebyshev sidelobe level gamma (dB).
class CWndDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_ALPHA = 454,
        IDC_GAMMA = 456,
        IDC_DOLPH_CHEBYSHEV = 458,  // first of the seven radio buttons, in type order
        IDC_KAISER_BESSEL,
        IDC_BLACKMAN_HARRIS_4,
        IDC_BLACKMAN_HARRIS_7,
        IDC_HANNING,
        IDC_GAUSSIAN,
        IDC_HAMMING,
        IDC_GAMMA_NOTE = 466,  // the note on gammas beyond the precision of the construction
    };
    // Above this gamma (dB) the dialog notes that the sidelobes cannot follow.
    static constexpr double kGammaPrecisionLimit = 150.0;
    // Window types (m_nWindowType); any other value is treated as type 3.
    enum WindowType {
        kDolphChebyshev = 1,
        kKaiserBessel,
        kBlackmanHarris4,
        kBlackmanHarris7,
        kHanning,
        kGaussian,
        kHamming,
    };

    CWndDlg();

    void DoDataExchange(CDataExchange& dx) override;
    // Selects the radio button of the current type.
    bool OnInitDialog() override;
    // Focus on the gamma or alpha box selects the window it belongs to.
    void OnSetFocus(int id) override;
    // Typing a gamma above kGammaPrecisionLimit shows the note on it.
    void OnEditChange(int id) override;
    // Stores the type, then checks its parameter: a failed check shows its
    // message and ends the dialog with Cancel.
    void OnOK() override;

    // Gamma for Dolph-Chebyshev, alpha for Kaiser-Bessel, 0 otherwise.
    double WindowParameter() const;
    // The window settings record of a project file: type (u16), alpha (f32),
    // gamma (f32, from version 10 on; older files get 40.0).
    void Serialize(CArchive& ar, int version);

    int32_t m_nWindowSel = 0;  // selected radio button while the dialog is open
    float m_fAlpha = 4.0f;
    float m_fGamma = 40.0f;
    int32_t m_nWindowType = kBlackmanHarris4;

protected:
    void CreateControls() override;

private:
    // Takes what the controls hold into the members without complaining
    // about fields that do not parse (those keep their values).
    void ReadControlsQuietly();
    // The note under the gamma box, for the gamma it holds.
    void UpdateGammaNote();
};

}  // namespace kv
